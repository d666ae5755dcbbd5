// archive/CodePage1252.h: text between code page 1252, in which the installer
// keeps its texts and the archive its names, and UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Code page 1252 to UTF-8. The five bytes that 1252 leaves unassigned (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the C1 code points of the same value, as
// Windows maps them.
std::string Cp1252ToUtf8(std::string_view text);

// Why Utf8ToCp1252 stopped.
enum ECp1252Fault {
    cp1252Ok,
    cp1252NotUtf8,     // a byte that starts or continues no UTF-8 sequence
    cp1252NoCharacter, // a character that code page 1252 does not hold
};

struct SCp1252Text {
    std::string strText; // the text in code page 1252 as far as it converted
    ECp1252Fault nFault = cp1252Ok;
    std::uint32_t nCodePoint = 0; // the character 1252 does not hold,
    std::string strCharacter;     // and its UTF-8 bytes
};

// UTF-8 to code page 1252. Strict UTF-8: no overlong forms, surrogates or code
// points above U+10FFFF. The C1 code points of 1252's unassigned bytes are no
// characters of it.
SCp1252Text Utf8ToCp1252(std::string_view text);
