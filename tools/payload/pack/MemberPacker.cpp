// tools/payload/pack/MemberPacker.cpp
#include "pack/MemberPacker.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

CMemberPacker::~CMemberPacker() {
    m_stream.reset();
    std::remove(m_strTempPath.c_str());
}

bool CMemberPacker::Begin() {
    m_stream.emplace();
    return m_stream->Open(m_strTempPath.c_str(), gzModeWrite);
}

bool CMemberPacker::Add(const unsigned char* pData, std::size_t nSize) {
    // Write takes an unsigned length: big pieces go in slices.
    const std::size_t kSlice = 1u << 30;
    for (std::size_t nDone = 0; nDone < nSize; nDone += kSlice) {
        auto nCount = static_cast<unsigned>(std::min(kSlice, nSize - nDone));
        if (!m_stream->Write(pData + nDone, nCount))
            return false;
    }
    return true;
}

bool CMemberPacker::Finish(std::uint64_t& nSize) {
    const bool bClosed = m_stream->Close();
    m_stream.reset();
    if (!bClosed)
        return false;
    std::error_code error;
    nSize = std::filesystem::file_size(m_strTempPath, error);
    return !error;
}
