// tools/payload/pack/ArchiveScanner.h
#pragma once

#include "archive/ArchiveFraming.h"
#include "archive/Platform.h"

#include <cstdint>
#include <string>

struct SScanEntry {
    std::uint64_t nOffset = 0; // where the name starts
    std::string strName;
    std::uint32_t nMemberLength = 0;
    const unsigned char* pMember = nullptr;
};

// Splits an archive into entries for list and verify with the framing the
// installer's walk uses (FrameEntry), and stops at the first break.
class CArchiveScanner {
public:
    explicit CArchiveScanner(const SByteBlock& block) : m_block(block) {}

    // Fills entry on framingEntry. On a break, entry holds what was read (the
    // name when a separator was found, the member length when it was read) and
    // GetPosition() is where the broken entry starts; later calls return framingEnd.
    EFraming Next(SScanEntry& entry);

    std::uint64_t GetPosition() const { return m_nPosition; }
    std::uint64_t GetLength() const { return m_block.nSize; }

private:
    SByteBlock m_block;
    std::uint64_t m_nPosition = 0;
    bool m_bStopped = false;
};
