// tools/payload/pack/PartFile.cpp
#include "pack/PartFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool CPartFile::Open(const std::string& strPath) {
    Discard();
    m_strPath = strPath;
    m_strPartPath = strPath + ".part";
    m_pFile = std::fopen(m_strPartPath.c_str(), "wb");
    return m_pFile != nullptr;
}

bool CPartFile::Write(const void* pData, std::size_t nSize) {
    return m_pFile != nullptr && std::fwrite(pData, 1, nSize, m_pFile) == nSize;
}

bool CPartFile::Rewind() {
    return m_pFile != nullptr && std::fseek(m_pFile, 0, SEEK_SET) == 0;
}

bool CPartFile::Commit() {
    if (m_pFile == nullptr)
        return false;
    const bool bClosed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    std::error_code error;
    if (bClosed) {
        // Windows' rename does not replace an existing file.
        fs::remove(m_strPath, error);
        fs::rename(m_strPartPath, m_strPath, error);
    }
    if (!bClosed || error) {
        fs::remove(m_strPartPath, error);
        return false;
    }
    return true;
}

void CPartFile::Discard() {
    if (m_pFile == nullptr)
        return;
    std::fclose(m_pFile);
    m_pFile = nullptr;
    std::error_code error;
    fs::remove(m_strPartPath, error);
}
