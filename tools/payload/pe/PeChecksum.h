// tools/payload/pe/PeChecksum.h
#pragma once

#include <cstddef>
#include <cstdint>

// The optional header's CheckSum as the system's image helper computes it:
// the file's 16-bit little-endian words summed with end-around carry (the
// CheckSum field counted as zero), folded to 16 bits, plus the file's length.
// Bytes come in pieces, in file order; a piece may end in half a word.
class CPeChecksum {
public:
    void Add(const unsigned char* pData, std::size_t nSize);
    void AddZeros(std::size_t nSize);
    // The bytes that other summed, which follow these; these must end in a
    // whole word.
    void Append(const CPeChecksum& other);
    std::uint32_t Finish() const;

private:
    std::uint64_t m_nSum = 0;
    std::uint64_t m_nLength = 0;
};
