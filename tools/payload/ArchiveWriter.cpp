// tools/payload/ArchiveWriter.cpp
#include "ArchiveWriter.h"

#include "ToolFiles.h"

#include "archive/ArchiveFraming.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

CArchiveWriter::~CArchiveWriter() {
    Discard();
}

bool CArchiveWriter::Open(const std::string& strPath) {
    Discard();
    m_strPath = strPath;
    m_strPartPath = strPath + ".part";
    m_nSize = 0;
    m_pFile = std::fopen(m_strPartPath.c_str(), "wb");
    return m_pFile != nullptr;
}

bool CArchiveWriter::AddEntry(const std::string& strName,
                              const std::vector<unsigned char>& member) {
    if (m_pFile == nullptr || member.size() > UINT32_MAX)
        return false;
    std::vector<unsigned char> header(strName.size() + ARCHIV_HEADER_EXTRA);
    EncodeEntryHeader(strName.data(), strName.size(), static_cast<std::uint32_t>(member.size()),
                      header.data());
    bool bWritten = std::fwrite(header.data(), 1, header.size(), m_pFile) == header.size() &&
                    std::fwrite(member.data(), 1, member.size(), m_pFile) == member.size();
    m_nSize += header.size() + member.size();
    return bWritten;
}

bool CArchiveWriter::Close() {
    if (m_pFile == nullptr)
        return false;
    bool bClosed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    return CToolFiles::PutInPlace(m_strPartPath, m_strPath, bClosed);
}

void CArchiveWriter::Discard() {
    if (m_pFile == nullptr)
        return;
    std::fclose(m_pFile);
    m_pFile = nullptr;
    std::error_code error;
    std::filesystem::remove(m_strPartPath, error);
}
