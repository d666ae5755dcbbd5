// archive/ArchiveFraming.cpp
#include "archive/ArchiveFraming.h"

#include <algorithm>
#include <cstring>

SEntryFraming FrameEntry(const unsigned char* pEntry, std::uint64_t nLeft) {
    SEntryFraming framing;
    if (nLeft == 0)
        return framing;
    const unsigned char* pEnd = pEntry + nLeft;
    // The separator begins with a blank and holds a backslash, both of which
    // names may hold too: it is looked for whole, after the first byte.
    const unsigned char* pSeparator =
        std::search(pEntry + 1, pEnd, ARCHIV_SEPARATOR, ARCHIV_SEPARATOR + ARCHIV_SEPARATOR_LENGTH);
    framing.nNameLength = static_cast<std::uint64_t>(pSeparator - pEntry);
    if (pSeparator == pEnd) {
        framing.nState = framingNoSeparator;
    } else if (nLeft - framing.LengthFieldOffset() < ARCHIV_LENGTH_FIELD) {
        framing.nState = framingShortLength;
    } else {
        framing.nMemberLength = DecodeLittleEndian32(pEntry + framing.LengthFieldOffset());
        framing.nState =
            nLeft - framing.MemberOffset() < framing.nMemberLength ? framingPastEnd : framingEntry;
    }
    return framing;
}

void EncodeEntryHeader(const char* pName, std::size_t nName, std::uint32_t nMemberLength,
                       unsigned char* pHeader) {
    std::memcpy(pHeader, pName, nName);
    std::memcpy(pHeader + nName, ARCHIV_SEPARATOR, ARCHIV_SEPARATOR_LENGTH);
    EncodeLittleEndian32(nMemberLength, pHeader + nName + ARCHIV_SEPARATOR_LENGTH);
}

std::uint32_t DecodeLittleEndian32(const unsigned char* pField) {
    return static_cast<std::uint32_t>(pField[0]) | static_cast<std::uint32_t>(pField[1]) << 8 |
           static_cast<std::uint32_t>(pField[2]) << 16 |
           static_cast<std::uint32_t>(pField[3]) << 24;
}

void EncodeLittleEndian32(std::uint32_t nValue, unsigned char* pField) {
    for (int i = 0; i < 4; ++i)
        pField[i] = static_cast<unsigned char>(nValue >> (8 * i));
}

int ConsumedPercent(std::uint64_t nPosition, std::uint64_t nLength) {
    return nLength == 0 ? 100 : static_cast<int>(nPosition * 100 / nLength);
}
