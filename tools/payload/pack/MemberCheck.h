// tools/payload/pack/MemberCheck.h
#pragma once

#include <cstdint>

enum EMemberState {
    memberOk,
    memberEmpty,     // no bytes: the installer would write an empty file
    memberNotGzip,   // no gzip magic: the installer would copy the bytes unchanged
    memberBadHeader, // unknown method or flags, or a header cut short
    memberBadData,   // the deflate data is damaged
    memberCutShort,  // ends inside the deflate data or the trailer
    memberBadCrc,    // CRC-32 of the decoded bytes differs from the trailer's
    memberBadSize,   // the decoded size differs from the trailer's ISIZE
    memberTrailing   // bytes after the last gzip member that are not another member
};

struct SMemberReport {
    EMemberState nState = memberOk;
    std::uint64_t nDecodedSize = 0; // bytes decoded before any fault
    std::uint32_t nCrc = 0;         // CRC-32 of those bytes
    int nMembers = 0;               // complete gzip members found
};

// Decodes one archive member in memory (RFC 1952) and checks every trailer.
// Members that follow each other are decoded into one file, as the
// installer's gzip reader does.
class CMemberCheck {
public:
    static SMemberReport Check(const unsigned char* pData, std::uint64_t nLength);
    static const char* Describe(EMemberState nState);

private:
    static EMemberState CheckOne(const unsigned char*& pData, const unsigned char* pEnd,
                                 SMemberReport& report);
    static bool SkipHeader(const unsigned char*& pData, const unsigned char* pEnd);
};
