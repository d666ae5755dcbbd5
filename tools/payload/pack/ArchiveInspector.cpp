// tools/payload/pack/ArchiveInspector.cpp
#include "pack/ArchiveInspector.h"

bool CArchiveInspector::Next(SInspection& inspection) {
    inspection = SInspection();
    const EFraming nState = m_scanner.Next(inspection.entry);
    if (nState != framingEntry) {
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
    case framingNoSeparator:
        return std::to_string(m_scanner.GetLength() - m_scanner.GetPosition()) +
               " trailing bytes at offset " + strOffset + " without a separator";
    case framingShortLength:
        return strEntry + " ends inside its length field";
    case framingPastEnd:
        return strEntry + ": member of " + std::to_string(m_last.nMemberLength) +
               " bytes runs past the end of the archive";
    default:
        return std::string();
    }
}

int CArchiveInspector::GetProgress() const {
    return ConsumedPercent(m_scanner.GetPosition(), m_scanner.GetLength());
}
