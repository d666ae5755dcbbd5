// archive/ArchiveFraming.h: where one entry's name, separator, length field and
// member lie, and where and why the framing of an archive breaks.
//
// The installer's walk, `payload list` and `payload verify` read entries with
// FrameEntry; `payload pack`, the archive writer and the tests write them with
// EncodeEntryHeader. Nothing here allocates.
#pragma once

#include "archive/ArchivFormat.h"

#include <cstddef>
#include <cstdint>

// How the bytes at the start of an entry are framed.
enum EFraming {
    framingEntry,       // a whole entry: name, separator, length field and member
    framingEnd,         // no bytes are left: the archive ends before this entry
    framingNoSeparator, // no complete separator follows the first byte
    framingShortLength, // fewer than ARCHIV_LENGTH_FIELD bytes follow the separator
    framingPastEnd      // the member reaches beyond the end of the archive
};

// One entry's framing. Offsets count from the entry's first byte.
struct SEntryFraming {
    EFraming nState = framingEnd;
    // The name's length; with framingNoSeparator, every byte that is left.
    std::uint64_t nNameLength = 0;
    // The length field's value, with framingEntry and framingPastEnd.
    std::uint32_t nMemberLength = 0;

    std::uint64_t LengthFieldOffset() const { return nNameLength + ARCHIV_SEPARATOR_LENGTH; }
    std::uint64_t MemberOffset() const { return LengthFieldOffset() + ARCHIV_LENGTH_FIELD; }
    // Where the next entry starts.
    std::uint64_t EntrySize() const { return MemberOffset() + nMemberLength; }
};

// Bytes of an entry header besides the name: the separator and the length field.
inline constexpr std::size_t ARCHIV_HEADER_EXTRA = ARCHIV_SEPARATOR_LENGTH + ARCHIV_LENGTH_FIELD;

// The framing of the entry at pEntry, nLeft bytes before the end of the archive.
// Only the complete separator ends a name, and a name has at least one byte.
SEntryFraming FrameEntry(const unsigned char* pEntry, std::uint64_t nLeft);

// Writes name, separator and length field, nName + ARCHIV_HEADER_EXTRA bytes,
// to pHeader.
void EncodeEntryHeader(const char* pName, std::size_t nName, std::uint32_t nMemberLength,
                       unsigned char* pHeader);

// The archive's length field, and the CRC-32 and ISIZE of a gzip trailer.
std::uint32_t DecodeLittleEndian32(const unsigned char* pField);
void EncodeLittleEndian32(std::uint32_t nValue, unsigned char* pField);

// Percentage of an archive of nLength bytes consumed at nPosition, rounded
// down; an empty archive is consumed as soon as it is open.
int ConsumedPercent(std::uint64_t nPosition, std::uint64_t nLength);
