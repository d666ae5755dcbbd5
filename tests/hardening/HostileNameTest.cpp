// tests/hardening/HostileNameTest.cpp: names that would leave the target folder or
// open a device are refused, one by one and inside an archive; the names the
// payload ships pass.
#include "HardeningSupport.h"

#include "archive/EntryName.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace archive_test;
using namespace hardening;

namespace {

const char* const kHostile[] = {
    "..\\x",
    "a\\..\\..\\x",
    "../x",
    "a/../../x",
    "C:\\x",
    "C:x",
    "\\x",
    "/x",
    "\\\\srv\\share\\x",
    "\\\\?\\C:\\x",
    "\\\\.\\PhysicalDrive0",
    "x:stream",
    "a.",
    "a ",
    ".. ",
    "a\\\\b",
};

const char* const kDevices[] = {"CON", "nul.txt", "COM1", "LPT9", "aux.wav"};

// Every spelling of the name in upper and lower case.
std::vector<std::string> AllCases(const std::string& strName) {
    std::vector<std::string> spellings;
    std::vector<std::size_t> letters;
    for (std::size_t i = 0; i < strName.size(); ++i) {
        if (std::isalpha(static_cast<unsigned char>(strName[i])))
            letters.push_back(i);
    }
    for (unsigned nMask = 0; nMask < 1u << letters.size(); ++nMask) {
        std::string strSpelling = strName;
        for (std::size_t n = 0; n < letters.size(); ++n) {
            char& c = strSpelling[letters[n]];
            c = static_cast<char>(nMask >> n & 1 ? std::toupper(c) : std::tolower(c));
        }
        spellings.push_back(strSpelling);
    }
    return spellings;
}

TEST(HostileNames, PathsThatLeaveTheTargetAreRefused) {
    for (const char* pszName : kHostile)
        EXPECT_FALSE(IsSafeEntryName(pszName)) << '"' << pszName << '"';
}

TEST(HostileNames, DeviceNamesAreRefusedInAnyCase) {
    for (const char* pszDevice : kDevices) {
        for (const std::string& strName : AllCases(pszDevice)) {
            EXPECT_FALSE(IsSafeEntryName(strName)) << strName;
            EXPECT_FALSE(IsSafeEntryName("sub\\" + strName)) << strName;
        }
    }
}

TEST(HostileNames, ControlCharactersAreRefusedAnywhere) {
    for (int c = 0; c < 0x20; ++c) {
        const std::string strControl(1, static_cast<char>(c));
        EXPECT_FALSE(IsSafeEntryName(strControl)) << c;
        EXPECT_FALSE(IsSafeEntryName("a" + strControl + "b")) << c;
        EXPECT_FALSE(IsSafeEntryName("dir\\file" + strControl)) << c;
    }
}

TEST(HostileNames, TheShippedFormPasses) {
    const char* const names[] = {
        "app.elf",
        "system\\key_down.wav",
        "brimlow\\sounds\\de\\p0445.wav",
        "brimlow\\menu\\Menu-Loop_2.wav",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ\\abcdefghijklmnopqrstuvwxyz\\0123456789_-.txt",
        "osup\\readme.txt",
    };
    for (const char* pszName : names)
        EXPECT_TRUE(IsSafeEntryName(pszName)) << '"' << pszName << '"';
}

TEST(HostileNames, AnArchiveOfThemWritesOnlyItsGoodEntriesInsideTheTarget) {
    CGuardedScratch scratch;
    std::vector<std::string> names(std::begin(kHostile), std::end(kHostile));
    for (const char* pszDevice : kDevices)
        names.push_back(pszDevice);
    names.push_back("..\\evil.txt");
    names.push_back("..\\sentinel\\app.elf");
    names.push_back("tab\there");
    std::string strBytes;
    for (const std::string& strName : names)
        strBytes += Entry(strName, Gzip("evil"));
    strBytes += Entry("brimlow\\good.txt", Gzip("good"));

    CRecordingPlatform platform;
    const SWalk walk = WalkArchive(strBytes, scratch.Target(), platform);
    EXPECT_FALSE(walk.bFatal);
    EXPECT_EQ(static_cast<int>(names.size()) + 1, walk.nEntries);
    ASSERT_EQ(names.size(), walk.messages.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(InvalidName(names[i]), walk.messages[i].strText);
        EXPECT_EQ("Fehler", walk.messages[i].strCaption);
    }
    EXPECT_EQ(1u, platform.madeDirs.size()) << "only brimlow below the target";
    EXPECT_EQ((std::map<std::string, std::string>{{"brimlow/", ""}, {"brimlow/good.txt", "good"}}),
              Snapshot(scratch.Target()));
    EXPECT_TRUE(scratch.OutsideUnchanged());
}

} // namespace
