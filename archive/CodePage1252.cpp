// archive/CodePage1252.cpp
#include "archive/CodePage1252.h"

namespace {

// Code page 1252 0x80-0x9F; the five unassigned bytes keep their C1 code points.
const std::uint16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of 1252 for a code point, or -1.
int ToByte(std::uint32_t nCode) {
    if (nCode < 0x80 || (nCode >= 0xA0 && nCode <= 0xFF))
        return static_cast<int>(nCode);
    // Every assigned character of 0x80-0x9F lies above U+00FF.
    for (int i = 0; i < 32 && nCode > 0xFF; ++i) {
        if (kHigh[i] == nCode)
            return 0x80 + i;
    }
    return -1;
}

// Decodes one UTF-8 sequence at text[n], moving n past it; false when there is none.
bool Decode(std::string_view text, std::size_t& n, std::uint32_t& nCode) {
    const unsigned char nLead = static_cast<unsigned char>(text[n]);
    if (nLead < 0x80) {
        nCode = nLead;
        ++n;
        return true;
    }
    if (nLead < 0xC0 || nLead >= 0xF5)
        return false;
    // Bytes that follow the lead, and the smallest code point each length may
    // carry: a shorter form of the same code point is overlong.
    const int nMore = nLead >= 0xF0 ? 3 : nLead >= 0xE0 ? 2 : 1;
    const std::uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
    nCode = nLead & (0x3F >> nMore);
    for (int i = 1; i <= nMore; ++i) {
        if (n + i >= text.size() || (static_cast<unsigned char>(text[n + i]) & 0xC0) != 0x80)
            return false;
        nCode = nCode << 6 | (static_cast<unsigned char>(text[n + i]) & 0x3F);
    }
    if (nCode < kLeast[nMore] || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode < 0xE000))
        return false;
    n += static_cast<std::size_t>(nMore) + 1;
    return true;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string strText;
    for (const char c : text) {
        unsigned nCode = static_cast<unsigned char>(c);
        if (nCode >= 0x80 && nCode < 0xA0)
            nCode = kHigh[nCode - 0x80];
        if (nCode < 0x80) {
            strText += static_cast<char>(nCode);
        } else if (nCode < 0x800) {
            strText += static_cast<char>(0xC0 | nCode >> 6);
            strText += static_cast<char>(0x80 | (nCode & 0x3F));
        } else {
            strText += static_cast<char>(0xE0 | nCode >> 12);
            strText += static_cast<char>(0x80 | (nCode >> 6 & 0x3F));
            strText += static_cast<char>(0x80 | (nCode & 0x3F));
        }
    }
    return strText;
}

SCp1252Text Utf8ToCp1252(std::string_view text) {
    SCp1252Text result;
    for (std::size_t n = 0; n < text.size();) {
        const std::size_t nStart = n;
        std::uint32_t nCode = 0;
        if (!Decode(text, n, nCode)) {
            result.nFault = cp1252NotUtf8;
            break;
        }
        const int nByte = ToByte(nCode);
        if (nByte < 0) {
            result.nFault = cp1252NoCharacter;
            result.nCodePoint = nCode;
            result.strCharacter = text.substr(nStart, n - nStart);
            break;
        }
        result.strText += static_cast<char>(nByte);
    }
    return result;
}
