// tools/payload/pack/ArchiveWriter.cpp
#include "pack/ArchiveWriter.h"

#include "archive/ArchiveFraming.h"

#include <cstdint>
#include <vector>

bool CArchiveWriter::Open(const std::string& strPath) {
    m_nSize = 0;
    return m_file.Open(strPath);
}

bool CArchiveWriter::AddEntry(const std::string& strName,
                              const std::vector<unsigned char>& member) {
    if (member.size() > UINT32_MAX)
        return false;
    std::vector<unsigned char> header(strName.size() + ARCHIV_HEADER_EXTRA);
    EncodeEntryHeader(strName.data(), strName.size(), static_cast<std::uint32_t>(member.size()),
                      header.data());
    bool bWritten =
        m_file.Write(header.data(), header.size()) && m_file.Write(member.data(), member.size());
    m_nSize += header.size() + member.size();
    return bWritten;
}

bool CArchiveWriter::Close() {
    return m_file.Commit();
}
