// archive/ArchiveMapping.cpp
#include "archive/ArchiveMapping.h"

#include "archive/ArchiveRegistry.h"

CArchiveMapping::CArchiveMapping() : m_platform(CPlatform::GetDefault()) {}

CArchiveMapping::CArchiveMapping(CPlatform& platform) : m_platform(platform) {}

CArchiveMapping::~CArchiveMapping() {
    Close();
}

BOOL CArchiveMapping::Open(const char* pszPath, UINT nID) {
    Close();
    if (!m_platform.MapFile(pszPath, m_block))
        return FALSE;
    m_nID = nID;
    m_bOpen = TRUE;
    RegisterArchive(nID, m_block);
    return TRUE;
}

void CArchiveMapping::Close() {
    if (!m_bOpen)
        return;
    UnregisterArchive(m_nID);
    m_platform.UnmapFile(m_block);
    m_block = SByteBlock();
    m_bOpen = FALSE;
}
