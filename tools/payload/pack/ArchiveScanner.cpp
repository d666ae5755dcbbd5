// tools/payload/pack/ArchiveScanner.cpp
#include "pack/ArchiveScanner.h"

EFraming CArchiveScanner::Next(SScanEntry& entry) {
    entry = SScanEntry();
    entry.nOffset = m_nPosition;
    if (m_bStopped)
        return framingEnd;
    const unsigned char* pEntry = m_block.pData + m_nPosition;
    const SEntryFraming framing = FrameEntry(pEntry, m_block.nSize - m_nPosition);
    if (framing.nState != framingNoSeparator)
        entry.strName.assign(pEntry, pEntry + framing.nNameLength);
    entry.nMemberLength = framing.nMemberLength;
    if (framing.nState == framingEntry || framing.nState == framingPastEnd)
        entry.pMember = pEntry + framing.MemberOffset();
    if (framing.nState == framingEntry)
        m_nPosition += framing.EntrySize();
    else
        m_bStopped = true;
    return framing.nState;
}
