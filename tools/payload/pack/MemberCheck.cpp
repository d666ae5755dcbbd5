// tools/payload/pack/MemberCheck.cpp
#include "pack/MemberCheck.h"

#include "archive/ArchiveFraming.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

namespace {

enum { flagHeaderCrc = 0x02, flagExtra = 0x04, flagName = 0x08, flagComment = 0x10 };

bool HasMagic(const unsigned char* pData, const unsigned char* pEnd) {
    return pEnd - pData >= 2 && pData[0] == 0x1F && pData[1] == 0x8B;
}

bool SkipString(const unsigned char*& pData, const unsigned char* pEnd) {
    while (pData < pEnd)
        if (*pData++ == 0)
            return true;
    return false;
}

} // namespace

SMemberReport CMemberCheck::Check(const unsigned char* pData, std::uint64_t nLength) {
    SMemberReport report;
    const unsigned char* pEnd = pData + nLength;
    if (nLength == 0)
        report.nState = memberEmpty;
    else if (!HasMagic(pData, pEnd))
        report.nState = memberNotGzip;
    while (report.nState == memberOk && pData < pEnd) {
        if (report.nMembers > 0 && !HasMagic(pData, pEnd))
            report.nState = memberTrailing;
        else
            report.nState = CheckOne(pData, pEnd, report);
    }
    return report;
}

const char* CMemberCheck::Describe(EMemberState nState) {
    switch (nState) {
    case memberOk:
        return "ok";
    case memberEmpty:
        return "empty member";
    case memberNotGzip:
        return "not gzip";
    case memberBadHeader:
        return "bad header";
    case memberBadData:
        return "damaged data";
    case memberCutShort:
        return "cut short";
    case memberBadCrc:
        return "CRC mismatch";
    case memberBadSize:
        return "size mismatch";
    case memberTrailing:
        return "trailing bytes";
    }
    return "?";
}

EMemberState CMemberCheck::CheckOne(const unsigned char*& pData, const unsigned char* pEnd,
                                    SMemberReport& report) {
    if (!SkipHeader(pData, pEnd))
        return memberBadHeader;
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return memberBadData;
    unsigned char buffer[65536];
    std::uint32_t nCrc = crc32(0, Z_NULL, 0);
    std::uint32_t nSize = 0;
    int nResult = Z_OK;
    while (nResult == Z_OK) {
        // avail_in is 32 bits wide: a longer member is fed in slices.
        if (stream.avail_in == 0) {
            stream.next_in = const_cast<unsigned char*>(pData);
            stream.avail_in = static_cast<uInt>(std::min<std::uint64_t>(pEnd - pData, UINT_MAX));
            pData += stream.avail_in;
        }
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        nResult = inflate(&stream, Z_NO_FLUSH);
        uInt nOut = static_cast<uInt>(sizeof buffer - stream.avail_out);
        nCrc = static_cast<std::uint32_t>(crc32(nCrc, buffer, nOut));
        report.nCrc = static_cast<std::uint32_t>(crc32(report.nCrc, buffer, nOut));
        report.nDecodedSize += nOut;
        nSize += nOut;
        if (nResult == Z_BUF_ERROR && stream.avail_in == 0 && pData == pEnd)
            break;
        if (nResult == Z_BUF_ERROR)
            nResult = Z_OK;
    }
    pData -= stream.avail_in;
    inflateEnd(&stream);
    if (nResult == Z_BUF_ERROR)
        return memberCutShort;
    if (nResult != Z_STREAM_END)
        return memberBadData;
    if (pEnd - pData < 8) {
        pData = pEnd;
        return memberCutShort;
    }
    std::uint32_t nWantCrc = DecodeLittleEndian32(pData);
    std::uint32_t nWantSize = DecodeLittleEndian32(pData + 4);
    pData += 8;
    if (nWantCrc != nCrc)
        return memberBadCrc;
    if (nWantSize != nSize)
        return memberBadSize;
    ++report.nMembers;
    return memberOk;
}

// RFC 1952: magic, method 8, flags, time, extra flags, OS, then the optional fields.
bool CMemberCheck::SkipHeader(const unsigned char*& pData, const unsigned char* pEnd) {
    if (pEnd - pData < 10 || !HasMagic(pData, pEnd) || pData[2] != Z_DEFLATED ||
        (pData[3] & 0xE0) != 0)
        return false;
    unsigned nFlags = pData[3];
    pData += 10;
    if (nFlags & flagExtra) {
        if (pEnd - pData < 2 || pEnd - pData - 2 < (pData[0] | pData[1] << 8))
            return false;
        pData += 2 + (pData[0] | pData[1] << 8);
    }
    if ((nFlags & flagName) && !SkipString(pData, pEnd))
        return false;
    if ((nFlags & flagComment) && !SkipString(pData, pEnd))
        return false;
    if (nFlags & flagHeaderCrc) {
        if (pEnd - pData < 2)
            return false;
        pData += 2;
    }
    return true;
}
