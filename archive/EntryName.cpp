// archive/EntryName.cpp
#include "archive/EntryName.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Characters that no component may hold: ':' would name a drive or a stream,
// the others are refused by Windows ("Naming Files, Paths, and Namespaces").
const char kForbidden[] = ":*?\"<>|";

// Names that Windows maps to devices in every folder, with any extension.
// Windows also counts the superscript digits one, two and three of ISO 8859-1
// (0xB9, 0xB2, 0xB3 in code page 1252) as digits of COM and LPT names.
const char* const kReservedNames[] = {
    "CON",     "PRN",     "AUX",     "NUL",  "CONIN$", "CONOUT$", "COM0",    "COM1",
    "COM2",    "COM3",    "COM4",    "COM5", "COM6",   "COM7",    "COM8",    "COM9",
    "COM\xB9", "COM\xB2", "COM\xB3", "LPT0", "LPT1",   "LPT2",    "LPT3",    "LPT4",
    "LPT5",    "LPT6",    "LPT7",    "LPT8", "LPT9",   "LPT\xB9", "LPT\xB2", "LPT\xB3",
};

bool IsEmpty(std::string_view component) {
    return component.empty();
}

bool HasBadCharacter(std::string_view component) {
    for (const char c : component) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr(kForbidden, c))
            return true;
    }
    return false;
}

// Windows drops trailing dots and blanks, so "a." would be "a" and ".." the parent.
bool HasTrailingDotOrBlank(std::string_view component) {
    return !component.empty() && (component.back() == '.' || component.back() == ' ');
}

// "nul.txt" and "nul .txt" open the device as well.
bool IsReservedName(std::string_view component) {
    std::string_view base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    for (const char* pszReserved : kReservedNames) {
        const std::size_t nLength = std::strlen(pszReserved);
        if (base.size() != nLength)
            continue;
        std::size_t i = 0;
        while (i < nLength && std::toupper(static_cast<unsigned char>(base[i])) ==
                                  static_cast<unsigned char>(pszReserved[i]))
            ++i;
        if (i == nLength)
            return true;
    }
    return false;
}

// Every rule looks at one component; separators at either end and doubled
// separators (absolute, UNC and device paths) show up as empty components.
bool (*const kComponentRules[])(std::string_view) = {
    IsEmpty,
    HasBadCharacter,
    HasTrailingDotOrBlank,
    IsReservedName,
};

} // namespace

BOOL IsSafeEntryName(std::string_view name) {
    if (name.size() > ENTRY_NAME_MAX)
        return FALSE;
    std::size_t nStart = 0;
    for (;;) {
        std::size_t nEnd = nStart;
        while (nEnd < name.size() && !IsSeparator(name[nEnd]))
            ++nEnd;
        const std::string_view component = name.substr(nStart, nEnd - nStart);
        for (const auto rule : kComponentRules) {
            if (rule(component))
                return FALSE;
        }
        if (nEnd == name.size())
            return TRUE;
        nStart = nEnd + 1;
    }
}
