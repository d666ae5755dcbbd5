// tests/support/PayloadBytes.cpp
#include "PayloadBytes.h"

#include "archive/ArchiveFraming.h"

#include <cstdint>
#include <zlib.h>

namespace test_support {

namespace {

// zlib's windowBits: MAX_WBITS + 16 makes a gzip member, -MAX_WBITS raw deflate data.
std::string Deflate(const std::string& strData, int nWindowBits) {
    z_stream stream = {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, nWindowBits, 8, Z_DEFAULT_STRATEGY);
    std::string strOut(deflateBound(&stream, static_cast<uLong>(strData.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(strData.data()));
    stream.avail_in = static_cast<uInt>(strData.size());
    stream.next_out = reinterpret_cast<Bytef*>(&strOut[0]);
    stream.avail_out = static_cast<uInt>(strOut.size());
    deflate(&stream, Z_FINISH);
    strOut.resize(stream.total_out);
    deflateEnd(&stream);
    return strOut;
}

} // namespace

std::string Gzip(const std::string& strData) {
    return Deflate(strData, MAX_WBITS + 16);
}

std::string RawDeflate(const std::string& strData) {
    return Deflate(strData, -MAX_WBITS);
}

std::string Entry(const std::string& strName, const std::string& strMember) {
    std::string strEntry(strName.size() + ARCHIV_HEADER_EXTRA, '\0');
    EncodeEntryHeader(strName.data(), strName.size(), static_cast<std::uint32_t>(strMember.size()),
                      reinterpret_cast<unsigned char*>(&strEntry[0]));
    return strEntry + strMember;
}

} // namespace test_support
