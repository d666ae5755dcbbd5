// tests/res/DialogTemplate.h: an extended dialog template (DLGTEMPLATEEX) read back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A template field that is either a string or an ordinal (0xFFFF, then the number).
struct SzOrOrd {
    std::wstring text;
    WORD ordinal = 0;
    bool operator==(const SzOrOrd& other) const {
        return text == other.text && ordinal == other.ordinal;
    }
};

struct DialogControl {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    LONG id;
    SzOrOrd windowClass, text;
    WORD extraBytes;
};

struct DialogTemplate {
    WORD version, signature;
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    SzOrOrd menu, windowClass, caption;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::wstring typeface;
    std::vector<DialogControl> controls;

    // nullopt when the bytes are not a complete DLGTEMPLATEEX with a font.
    static std::optional<DialogTemplate> Parse(std::string_view data);
};
