// archive/ArchiveMapping.h: an archive file mapped read-only and registered under an id.
//
//   CArchiveMapping mapping;
//   if (!mapping.Open("payload.pak", ARCHIV_RESOURCE_ID)) ...;
//   CPayloadArchive archive;
//   archive.Open(ARCHIV_RESOURCE_ID);
#pragma once

#include "archive/Platform.h"
#include "archive/Types.h"

class CArchiveMapping {
public:
    CArchiveMapping();
    explicit CArchiveMapping(CPlatform& platform);
    CArchiveMapping(const CArchiveMapping&) = delete;
    CArchiveMapping& operator=(const CArchiveMapping&) = delete;
    ~CArchiveMapping();

    // Maps the file and registers it as archive nID; FALSE when it cannot be mapped.
    BOOL Open(const char* pszPath, UINT nID);
    // Unregisters and unmaps.
    void Close();

    const SByteBlock& GetBlock() const { return m_block; }

private:
    CPlatform& m_platform;
    SByteBlock m_block;
    UINT m_nID = 0;
    BOOL m_bOpen = FALSE;
};
