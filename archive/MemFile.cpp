// archive/MemFile.cpp
#include "archive/MemFile.h"

#include <cstring>

CMemFile::CMemFile(const unsigned char* pData, std::uint64_t nLength)
    : m_pData(pData), m_nLength(nLength) {}

std::uint64_t CMemFile::Read(void* pBuffer, std::uint64_t nCount) {
    const std::uint64_t nLeft = m_nLength - m_nPosition;
    const std::uint64_t nCopy = nCount < nLeft ? nCount : nLeft;
    if (nCopy != 0) {
        std::memcpy(pBuffer, m_pData + m_nPosition, static_cast<std::size_t>(nCopy));
        m_nPosition += nCopy;
    }
    return nCopy;
}

BOOL CMemFile::Seek(std::uint64_t nPosition) {
    if (nPosition > m_nLength)
        return FALSE;
    m_nPosition = nPosition;
    return TRUE;
}

void CMemFile::Close() {
    m_pData = nullptr;
    m_nLength = 0;
    m_nPosition = 0;
}
