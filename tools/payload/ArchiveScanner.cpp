// tools/payload/ArchiveScanner.cpp
#include "ArchiveScanner.h"

#include "archive/ArchivFormat.h"

#include <algorithm>

EScanState CArchiveScanner::Next(SScanEntry& entry) {
    const unsigned char* pBegin = m_block.pData;
    const unsigned char* pEnd = pBegin + m_block.nSize;
    const unsigned char* pEntry = pBegin + m_nPosition;
    entry = SScanEntry();
    entry.nOffset = m_nPosition;
    if (m_bStopped || pEntry == pEnd)
        return scanEnd;
    // A name has at least one byte: the separator is looked for after the first.
    const unsigned char* pSeparator =
        std::search(pEntry + 1, pEnd, ARCHIV_SEPARATOR, ARCHIV_SEPARATOR + ARCHIV_SEPARATOR_LENGTH);
    if (pSeparator == pEnd) {
        return Stop(scanNoSeparator);
    }
    entry.strName.assign(pEntry, pSeparator);
    const unsigned char* pLength = pSeparator + ARCHIV_SEPARATOR_LENGTH;
    if (static_cast<std::size_t>(pEnd - pLength) < ARCHIV_LENGTH_FIELD) {
        return Stop(scanShortLength);
    }
    entry.nMemberLength =
        static_cast<std::uint32_t>(pLength[0] | pLength[1] << 8 | pLength[2] << 16) |
        static_cast<std::uint32_t>(pLength[3]) << 24;
    entry.pMember = pLength + ARCHIV_LENGTH_FIELD;
    if (static_cast<std::uint64_t>(pEnd - entry.pMember) < entry.nMemberLength) {
        return Stop(scanPastEnd);
    }
    m_nPosition = static_cast<std::uint64_t>(entry.pMember + entry.nMemberLength - pBegin);
    return scanEntry;
}

EScanState CArchiveScanner::Stop(EScanState nState) {
    m_bStopped = true;
    return nState;
}
