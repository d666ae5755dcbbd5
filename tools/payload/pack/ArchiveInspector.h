// tools/payload/pack/ArchiveInspector.h
#pragma once

#include "pack/ArchiveScanner.h"
#include "pack/MemberCheck.h"
#include "pack/NameCheck.h"

#include <string>

struct SInspection {
    SScanEntry entry;
    SMemberReport member;
    const char* pszNameFault = nullptr; // nullptr when the name is fine

    bool IsClean() const { return member.nState == memberOk && pszNameFault == nullptr; }
};

// Goes through an archive for list and verify: every entry with its member
// decoded and checked and its name checked, then how the archive ends.
class CArchiveInspector {
public:
    explicit CArchiveInspector(const SByteBlock& block) : m_scanner(block) {}

    // False when no entry is left; GetEnd() then tells whether the archive ended cleanly.
    bool Next(SInspection& inspection);

    EFraming GetEnd() const { return m_nEnd; }
    // Empty for a clean end, else what is wrong with the end of the archive:
    // ASCII text around the last entry's name as stored.
    std::string DescribeEnd() const;
    int GetProgress() const;

private:
    CArchiveScanner m_scanner;
    CNameCheck m_names;
    EFraming m_nEnd = framingEntry;
    SScanEntry m_last; // the entry whose framing failed
};
