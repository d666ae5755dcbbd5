// tools/payload/pe/PeChecksum.cpp
#include "pe/PeChecksum.h"

void CPeChecksum::Add(const unsigned char* pData, std::size_t nSize) {
    std::size_t i = 0;
    if (nSize != 0 && (m_nLength & 1) != 0) {
        m_nSum += std::uint64_t(pData[0]) << 8;
        i = 1;
    }
    // 2^47 words of 16 bits fit the 64-bit sum before it needs folding.
    std::uint64_t nSum = 0;
    for (; i + 1 < nSize; i += 2)
        nSum += pData[i] | pData[i + 1] << 8;
    if (i < nSize)
        nSum += pData[i];
    m_nSum += nSum;
    m_nLength += nSize;
}

void CPeChecksum::AddZeros(std::size_t nSize) {
    m_nLength += nSize;
}

void CPeChecksum::Append(const CPeChecksum& other) {
    m_nSum += other.m_nSum;
    m_nLength += other.m_nLength;
}

std::uint32_t CPeChecksum::Finish() const {
    std::uint64_t nSum = m_nSum;
    while (nSum >> 16 != 0)
        nSum = (nSum & 0xFFFF) + (nSum >> 16);
    return static_cast<std::uint32_t>(nSum + m_nLength);
}
