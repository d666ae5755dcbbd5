// tools/payload/ArchiveWriter.cpp
#include "ArchiveWriter.h"

#include "archive/ArchivFormat.h"

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
    auto nLength = static_cast<std::uint32_t>(member.size());
    const unsigned char length[ARCHIV_LENGTH_FIELD] = {
        static_cast<unsigned char>(nLength), static_cast<unsigned char>(nLength >> 8),
        static_cast<unsigned char>(nLength >> 16), static_cast<unsigned char>(nLength >> 24)};
    bool bWritten = std::fwrite(strName.data(), 1, strName.size(), m_pFile) == strName.size() &&
                    std::fwrite(ARCHIV_SEPARATOR, 1, ARCHIV_SEPARATOR_LENGTH, m_pFile) ==
                        ARCHIV_SEPARATOR_LENGTH &&
                    std::fwrite(length, 1, sizeof length, m_pFile) == sizeof length &&
                    std::fwrite(member.data(), 1, member.size(), m_pFile) == member.size();
    m_nSize += strName.size() + ARCHIV_SEPARATOR_LENGTH + sizeof length + member.size();
    return bWritten;
}

bool CArchiveWriter::Close() {
    if (m_pFile == nullptr)
        return false;
    bool bClosed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    std::error_code error;
    if (bClosed) {
        // Windows' rename does not replace an existing file.
        std::filesystem::remove(m_strPath, error);
        std::filesystem::rename(m_strPartPath, m_strPath, error);
    }
    if (!bClosed || error) {
        std::filesystem::remove(m_strPartPath, error);
        return false;
    }
    return true;
}

void CArchiveWriter::Discard() {
    if (m_pFile == nullptr)
        return;
    std::fclose(m_pFile);
    m_pFile = nullptr;
    std::error_code error;
    std::filesystem::remove(m_strPartPath, error);
}
