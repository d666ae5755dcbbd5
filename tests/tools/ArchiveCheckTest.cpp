// tests/tools/ArchiveCheckTest.cpp: the framing, member and name checks behind
// list and verify.
#include "ToolTestSupport.h"
#include "pack/ArchiveScanner.h"
#include "pack/MemberCheck.h"
#include "pack/NameCheck.h"

#include "archive/CodePage1252.h"

#include <gtest/gtest.h>

using namespace tool_test;

namespace {

SByteBlock BlockOf(const std::string& strData) {
    SByteBlock block;
    block.pData = reinterpret_cast<const unsigned char*>(strData.data());
    block.nSize = strData.size();
    return block;
}

SMemberReport CheckMember(const std::string& strMember) {
    return CMemberCheck::Check(reinterpret_cast<const unsigned char*>(strMember.data()),
                               strMember.size());
}

} // namespace

TEST(ArchiveScanner, SplitsEntriesAndEndsCleanly) {
    std::string strArchive = Entry("a", Gzip("x")) + Entry("b \\~#", "") + Entry("c\\d", "zz");
    CArchiveScanner scanner(BlockOf(strArchive));
    SScanEntry entry;
    ASSERT_EQ(scanner.Next(entry), framingEntry);
    EXPECT_EQ(entry.strName, "a");
    EXPECT_EQ(entry.nMemberLength, Gzip("x").size());
    // A name ending in the separator's first bytes is still cut at the full separator.
    ASSERT_EQ(scanner.Next(entry), framingEntry);
    EXPECT_EQ(entry.strName, "b \\~#");
    EXPECT_EQ(entry.nMemberLength, 0u);
    ASSERT_EQ(scanner.Next(entry), framingEntry);
    EXPECT_EQ(entry.strName, "c\\d");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.pMember), 2), "zz");
    EXPECT_EQ(scanner.Next(entry), framingEnd);
    EXPECT_EQ(scanner.GetPosition(), strArchive.size());
}

TEST(ArchiveScanner, EmptyArchiveHasNoEntries) {
    SScanEntry entry;
    EXPECT_EQ(CArchiveScanner(SByteBlock()).Next(entry), framingEnd);
}

TEST(ArchiveScanner, SeparatorAtTheStartIsPartOfTheName) {
    // The installer needs a name byte before it looks for the separator.
    std::string strArchive = Entry(" \\~#$&* x", "");
    SScanEntry entry;
    ASSERT_EQ(CArchiveScanner(BlockOf(strArchive)).Next(entry), framingEntry);
    EXPECT_EQ(entry.strName, " \\~#$&* x");
}

TEST(ArchiveScanner, TellsWhereAndHowTheFramingBreaks) {
    std::string strGood = Entry("a", Gzip("x"));
    struct {
        std::string strTail;
        EFraming nState;
    } cases[] = {{"garbage without separator", framingNoSeparator},
                 {"b \\~#$&* \x01\x00", framingShortLength},
                 {Entry("b", "12345").substr(0, 15), framingPastEnd}};
    for (const auto& c : cases) {
        std::string strArchive = strGood + c.strTail;
        CArchiveScanner scanner(BlockOf(strArchive));
        SScanEntry entry;
        ASSERT_EQ(scanner.Next(entry), framingEntry);
        EXPECT_EQ(scanner.Next(entry), c.nState) << c.strTail;
        EXPECT_EQ(scanner.GetPosition(), strGood.size());
        EXPECT_EQ(scanner.Next(entry), framingEnd);
    }
}

TEST(MemberCheck, AcceptsIntactMembersAndCountsTheirBytes) {
    SMemberReport report = CheckMember(Gzip("hello, world"));
    EXPECT_EQ(report.nState, memberOk);
    EXPECT_EQ(report.nDecodedSize, 12u);
    EXPECT_EQ(report.nMembers, 1);
    EXPECT_EQ(CheckMember(Gzip("")).nState, memberOk);
}

TEST(MemberCheck, DecodesFollowingMembersIntoOneFile) {
    SMemberReport report = CheckMember(Gzip("abc") + Gzip("defg"));
    EXPECT_EQ(report.nState, memberOk);
    EXPECT_EQ(report.nDecodedSize, 7u);
    EXPECT_EQ(report.nMembers, 2);
}

TEST(MemberCheck, SkipsOptionalHeaderFields) {
    std::string strMember = Gzip("data");
    // FNAME with "n.txt" and FEXTRA with two bytes, inserted after the fixed header.
    strMember[3] = 0x0C;
    strMember.insert(10, std::string("\x02\x00xyn.txt\x00", 10));
    EXPECT_EQ(CheckMember(strMember).nState, memberOk);
}

TEST(MemberCheck, NamesEachKindOfDamage) {
    std::string strMember = Gzip(std::string(5000, 'a') + "0123456789");
    std::string strBadCrc = strMember;
    strBadCrc[strBadCrc.size() - 8] ^= 1;
    std::string strBadSize = strMember;
    strBadSize[strBadSize.size() - 4] ^= 1;
    std::string strBadData = strMember;
    strBadData[10] = static_cast<char>(0xFF); // block type 3 does not exist
    std::string strBadHeader = strMember;
    strBadHeader[2] = 7;
    EXPECT_EQ(CheckMember("").nState, memberEmpty);
    EXPECT_EQ(CheckMember("plain text").nState, memberNotGzip);
    EXPECT_EQ(CheckMember(strBadCrc).nState, memberBadCrc);
    EXPECT_EQ(CheckMember(strBadSize).nState, memberBadSize);
    EXPECT_EQ(CheckMember(strBadData).nState, memberBadData);
    EXPECT_EQ(CheckMember(strBadHeader).nState, memberBadHeader);
    EXPECT_EQ(CheckMember(strMember.substr(0, 6)).nState, memberBadHeader);
    EXPECT_EQ(CheckMember(strMember.substr(0, strMember.size() - 3)).nState, memberCutShort);
    EXPECT_EQ(CheckMember(strMember.substr(0, 14)).nState, memberCutShort);
    EXPECT_EQ(CheckMember(strMember + "junk").nState, memberTrailing);
}

TEST(NameCheck, RefusesWhatTheInstallerRefusesAndClashesOnTheCard) {
    CNameCheck names;
    EXPECT_EQ(names.Check("sounds\\a.wav"), nullptr);
    EXPECT_EQ(names.Check("sounds\\b.wav"), nullptr);
    EXPECT_NE(names.Check("..\\evil.txt"), nullptr);
    EXPECT_NE(names.Check("c:\\x.txt"), nullptr);
    EXPECT_NE(names.Check("NUL.txt"), nullptr);
    EXPECT_NE(names.Check("SOUNDS\\A.WAV"), nullptr); // the same file on FAT
    EXPECT_NE(names.Check("Sounds"), nullptr);        // a file where a folder is
    EXPECT_EQ(names.Check("other.txt"), nullptr);
    EXPECT_NE(names.Check("other.txt\\inner.txt"), nullptr); // a folder where a file is
    // Windows folds the letters of code page 1252 too, but not sharp s or the signs.
    for (const char* pszName : {"f\xFCr.txt", "\x9A\x9C\x9E\xFF", "\xDF", "SS", "\xD7", "\xF7"})
        EXPECT_EQ(names.Check(pszName), nullptr) << pszName;
    for (const char* pszName : {"F\xDCR.txt", "\x8A\x8C\x8E\x9F"})
        EXPECT_NE(names.Check(pszName), nullptr) << pszName;
}

TEST(CodePage1252, EveryCharacterComesBackAndTheUnassignedBytesAreNone) {
    EXPECT_EQ(Cp1252ToUtf8("\x80\x8C\x9F\xDF"), "\xE2\x82\xAC\xC5\x92\xC5\xB8\xC3\x9F");
    for (int nByte = 1; nByte < 256; ++nByte) {
        const std::string strByte(1, static_cast<char>(nByte));
        SCp1252Text text = Utf8ToCp1252(Cp1252ToUtf8(strByte));
        const bool bUnassigned =
            std::string("\x81\x8D\x8F\x90\x9D").find(strByte[0]) != std::string::npos;
        EXPECT_EQ(text.nFault, bUnassigned ? cp1252NoCharacter : cp1252Ok) << nByte;
        EXPECT_EQ(text.strText, bUnassigned ? "" : strByte) << nByte;
    }
}

TEST(CodePage1252, RefusesWhatIsNoUtf8AndNamesACharacterItLacks) {
    // Stray and missing continuation bytes, overlong forms, a surrogate, beyond U+10FFFF.
    for (const char* pszText : {"f\xFCr", "\x80", "a\xC3", "\xC3(", "\xC0\x80", "\xE0\x80\xAF",
                                "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80"})
        EXPECT_EQ(Utf8ToCp1252(pszText).nFault, cp1252NotUtf8);
    SCp1252Text text = Utf8ToCp1252("gro\xC3\x9F \xC5\x81\xC3\xB3w");
    EXPECT_EQ(text.nFault, cp1252NoCharacter);
    EXPECT_EQ(text.nCodePoint, 0x141u);
    EXPECT_EQ(text.strCharacter, "\xC5\x81");
    EXPECT_EQ(text.strText, "gro\xDF ");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x8E\xAE").nCodePoint, 0x1F3AEu);
}
