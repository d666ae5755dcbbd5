// tests/support/PayloadBytes.h: gzip members and archive entries built in memory,
// for the tests of the engine, the payload tool and the pages.
#pragma once

#include <string>

namespace test_support {

// A gzip member of the data, made with zlib directly (default level and strategy).
std::string Gzip(const std::string& strData);
// The raw deflate data (RFC 1951) that such a member carries between its
// header and its trailer.
std::string RawDeflate(const std::string& strData);
// One archive entry: the header the engine's framing encodes, then the member.
std::string Entry(const std::string& strName, const std::string& strMember);

} // namespace test_support
