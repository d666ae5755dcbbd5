// tools/payload/ArchiveScanner.h
#pragma once

#include "archive/Platform.h"

#include <cstdint>
#include <string>

enum EScanState {
    scanEntry,       // an entry was found
    scanEnd,         // the archive ends after the previous entry
    scanNoSeparator, // trailing bytes without a complete separator
    scanShortLength, // the separator is followed by fewer than 4 length bytes
    scanPastEnd      // the member length reaches beyond the end of the archive
};

struct SScanEntry {
    std::uint64_t nOffset = 0; // where the name starts
    std::string strName;
    std::uint32_t nMemberLength = 0;
    const unsigned char* pMember = nullptr;
};

// Splits an archive into entries for list and verify, telling apart the ways
// in which its framing can be broken and where. Extraction does not use it:
// that is CPayloadArchive's walk.
class CArchiveScanner {
public:
    explicit CArchiveScanner(const SByteBlock& block) : m_block(block) {}

    // Fills entry on scanEntry. On a fault, entry holds what was read and
    // GetPosition() where the damaged bytes start; later calls return scanEnd.
    EScanState Next(SScanEntry& entry);

    std::uint64_t GetPosition() const { return m_nPosition; }
    std::uint64_t GetLength() const { return m_block.nSize; }

private:
    EScanState Stop(EScanState nState);

    SByteBlock m_block;
    std::uint64_t m_nPosition = 0;
    bool m_bStopped = false;
};
