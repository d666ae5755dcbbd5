// tests/archive/EntryNameTest.cpp: the names the installer refuses and the ones it keeps.
#include "archive/EntryName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kRefused[] = {
    // Leaving the target folder.
    "..\\x",
    "a\\..\\..\\x",
    "../x",
    "a/../../x",
    "..",
    ".",
    // Absolute, drive, UNC and device paths.
    "C:\\x",
    "C:x",
    "\\x",
    "/x",
    "\\\\srv\\share\\x",
    "\\\\?\\C:\\x",
    "\\\\.\\PhysicalDrive0",
    "//srv/share/x",
    // Streams and characters Windows refuses.
    "x:stream",
    "a\\b:c",
    "a*b",
    "a?b",
    "a<b",
    "a>b",
    "a|b",
    "a\"b",
    // Device names, any case, alone or with an extension, in any component.
    "CON",
    "nul.txt",
    "COM1",
    "LPT9",
    "aux.wav",
    "Prn",
    "dir\\con",
    "nul .txt",
    "conout$",
    "COM\xB9", // superscript one in code page 1252
    "lpt\xB3.txt",
    "COM0",
    // Components that Windows would shorten.
    "a.",
    "a ",
    ".. ",
    "dir.\\x",
    "dir \\x",
    // Control characters.
    "a\x01"
    "b",
    "tab\there",
    "a\x1f",
    // Empty names and empty components.
    "",
    "a\\\\b",
    "a//b",
    "a\\",
    "a/",
};

const char* const kAccepted[] = {
    "app.elf",
    "brimlow\\sounds\\de\\p0445.wav",
    "system\\key_down.wav",
    "a",
    "a-b_c.d.e",
    "x/y",     // the slash is a separator, like the backslash
    "CONSOLE", // only the exact device names are reserved
    "COM10",
    "LPT0x",
    "nul_.txt",
    ".hidden",
    "a..b",
    "caf\xE9.txt", // code page 1252 bytes are name bytes like any other
};

TEST(EntryName, RefusesNamesThatLeaveTheTargetOrNameDevices) {
    for (const char* pszName : kRefused)
        EXPECT_FALSE(IsSafeEntryName(pszName)) << '"' << pszName << '"';
}

TEST(EntryName, KeepsTheShippedFormOfNames) {
    for (const char* pszName : kAccepted)
        EXPECT_TRUE(IsSafeEntryName(pszName)) << '"' << pszName << '"';
}

TEST(EntryName, RefusesANulByteInsideTheName) {
    EXPECT_FALSE(IsSafeEntryName(std::string("a\0b", 3)));
    EXPECT_FALSE(IsSafeEntryName(std::string("a\\\0", 3)));
}

TEST(EntryName, NamesEndAtTheLongestPathWindowsTakes) {
    EXPECT_TRUE(IsSafeEntryName(std::string(ENTRY_NAME_MAX, 'a')));
    EXPECT_FALSE(IsSafeEntryName(std::string(ENTRY_NAME_MAX + 1, 'a')));
}

TEST(EntryName, EveryDeviceNumberIsReserved) {
    for (char c = '1'; c <= '9'; ++c) {
        EXPECT_FALSE(IsSafeEntryName(std::string("com") + c + ".dat"));
        EXPECT_FALSE(IsSafeEntryName(std::string("d\\LPT") + c));
    }
}

} // namespace
