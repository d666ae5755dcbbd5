// tools/payload/pack/MemberPacker.cpp
#include "pack/MemberPacker.h"

#include "archive/GzipFileStream.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

CMemberPacker::~CMemberPacker() {
    std::remove(m_strTempPath.c_str());
}

bool CMemberPacker::Pack(const std::vector<unsigned char>& data,
                         std::vector<unsigned char>& member) {
    CGzipFileStream stream;
    if (!stream.Open(m_strTempPath.c_str(), gzModeWrite))
        return false;
    // Write takes an unsigned length: big files go in slices.
    const std::size_t kSlice = 1u << 30;
    for (std::size_t nDone = 0; nDone < data.size(); nDone += kSlice) {
        auto nCount = static_cast<unsigned>(std::min(kSlice, data.size() - nDone));
        if (!stream.Write(data.data() + nDone, nCount))
            return false;
    }
    if (!stream.Close())
        return false;
    std::error_code error;
    auto nSize = std::filesystem::file_size(m_strTempPath, error);
    std::FILE* pFile = error ? nullptr : std::fopen(m_strTempPath.c_str(), "rb");
    if (pFile == nullptr)
        return false;
    member.resize(nSize);
    bool bRead = std::fread(member.data(), 1, member.size(), pFile) == member.size();
    std::fclose(pFile);
    return bRead;
}
