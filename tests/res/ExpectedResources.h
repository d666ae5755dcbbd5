// tests/res/ExpectedResources.h: the resources as the tests expect them. The
// definitions are written from resource_table.py at build time, which
// check_resources.py reads too.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct ExpectedControl {
    LONG id;
    const wchar_t* windowClass;
    const wchar_t* text; // nullptr: the text is the ordinal of resource `image`
    WORD image;
    DWORD style, exStyle;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    WORD id;
    DWORD style, exStyle;
    short x, y, cx, cy;
    const wchar_t* caption;
    WORD weight;
    std::vector<ExpectedControl> controls;
};

struct ExpectedLicense {
    size_t length, lines, longestLine;
};

struct ExpectedBitmap {
    LONG width, height, pixelsPerMetre;
};

// Every string but IDS_FINISH_PREFACE (kForumLead and an address) and
// IDS_LICENSE_TEXT (kLicense).
extern const std::map<UINT, std::wstring> kStrings;
extern const std::wstring kForumLead;
extern const ExpectedLicense kLicense;
extern const std::vector<ExpectedDialog> kDialogs;
extern const std::map<WORD, ExpectedBitmap> kBitmaps;
// The version block's strings but the rights notice.
extern const std::map<std::wstring, std::wstring> kVersionStrings;
