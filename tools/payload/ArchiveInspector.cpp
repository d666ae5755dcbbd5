// tools/payload/ArchiveInspector.cpp
#include "ArchiveInspector.h"

bool CArchiveInspector::Next(SInspection& inspection) {
    inspection = SInspection();
    EScanState nState = m_scanner.Next(inspection.entry);
    if (nState != scanEntry) {
        m_nEnd = nState;
        m_last = inspection.entry;
        return false;
    }
    inspection.member =
        CMemberCheck::Check(inspection.entry.pMember, inspection.entry.nMemberLength);
    inspection.pszNameFault = m_names.Check(inspection.entry.strName);
    return true;
}

std::string CArchiveInspector::DescribeEnd() const {
    std::string strOffset = std::to_string(m_scanner.GetPosition());
    std::string strEntry = "entry \"" + m_last.strName + "\" at offset " + strOffset;
    switch (m_nEnd) {
    case scanNoSeparator:
        return std::to_string(m_scanner.GetLength() - m_scanner.GetPosition()) +
               " trailing bytes at offset " + strOffset + " without a separator";
    case scanShortLength:
        return strEntry + " ends inside its length field";
    case scanPastEnd:
        return strEntry + ": member of " + std::to_string(m_last.nMemberLength) +
               " bytes runs past the end of the archive";
    default:
        return std::string();
    }
}

int CArchiveInspector::GetProgress() const {
    std::uint64_t nLength = m_scanner.GetLength();
    return nLength == 0 ? 100 : static_cast<int>(m_scanner.GetPosition() * 100 / nLength);
}
