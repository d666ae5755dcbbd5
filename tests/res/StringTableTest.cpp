// tests/res/StringTableTest.cpp: the string table and the license agreement.
#include "ExpectedResources.h"
#include "ResourceModule.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// The pages load every text into an ANSI string; German Windows uses code page 1252.
bool FitsCodePage1252(const std::wstring& text) {
    BOOL lossy = FALSE;
    WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.c_str(), text.size(), nullptr, 0, nullptr,
                        &lossy);
    return !lossy;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(L"\r\n", start)) != std::wstring::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

TEST(StringTable, TextsAreExactAndGerman) {
    for (const auto& [id, text] : kStrings) {
        EXPECT_EQ(TestModule().String(id), text) << "string " << id;
        EXPECT_TRUE(FitsCodePage1252(TestModule().String(id))) << "string " << id;
    }
    // The whole block of ids 128 to 143 and the others are stored in German.
    for (UINT block : {7, 8, 9})
        EXPECT_TRUE(TestModule().Data(RT_STRING, MAKEINTRESOURCEW(block), kGerman)) << block;
}

TEST(StringTable, GapsLoadAsEmptyStrings) {
    std::set<UINT> present;
    for (UINT id = 101; id <= 143; ++id)
        if (!TestModule().String(id).empty())
            present.insert(id);
    std::set<UINT> expected = {IDS_FINISH_PREFACE, IDS_LICENSE_TEXT};
    for (const auto& entry : kStrings)
        expected.insert(entry.first);
    EXPECT_EQ(present, expected);
    for (UINT id : {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 141})
        EXPECT_EQ(TestModule().String(id), L"") << id;
}

TEST(StringTable, FinishTextEndsWithTheForumAddress) {
    std::wstring text = TestModule().String(IDS_FINISH_PREFACE);
    ASSERT_EQ(text.compare(0, kForumLead.size(), kForumLead), 0) << "string 125";
    std::wstring address = text.substr(kForumLead.size());
    EXPECT_NE(address.find(L'.'), std::wstring::npos);
    EXPECT_EQ(address.find_first_of(L" \r\n"), std::wstring::npos);
}

TEST(License, CountsOfCharactersAndLines) {
    std::wstring text = TestModule().String(IDS_LICENSE_TEXT);
    EXPECT_EQ(text.size(), kLicense.length);
    std::vector<std::wstring> lines = SplitLines(text);
    EXPECT_EQ(lines.size(), kLicense.lines);
    EXPECT_EQ(lines.front(), L"");
    EXPECT_EQ(lines.back(), L"");
    for (const std::wstring& line : lines) {
        EXPECT_LE(line.size(), kLicense.longestLine) << "line too long for the text box";
        EXPECT_EQ(line.find_first_of(L"\r\n\t"), std::wstring::npos) << "stray line break";
    }
    EXPECT_TRUE(FitsCodePage1252(text));
}

TEST(License, HeadingIntroductionAndSevenSections) {
    std::vector<std::wstring> lines = SplitLines(TestModule().String(IDS_LICENSE_TEXT));
    ASSERT_EQ(lines.size(), kLicense.lines);
    EXPECT_FALSE(lines[1].empty() || lines[2].empty());
    EXPECT_TRUE(lines[3].empty());
    EXPECT_NE((lines[1] + lines[2]).find(L"Valdero GmbH"), std::wstring::npos);
    std::vector<size_t> sections;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > 4 && lines[i].compare(1, 3, L".) ") == 0)
            sections.push_back(i);
    ASSERT_EQ(sections.size(), 7u);
    for (size_t n = 0; n < sections.size(); ++n) {
        const std::wstring& heading = lines[sections[n]];
        EXPECT_EQ(heading[0], L'1' + static_cast<wchar_t>(n));
        EXPECT_TRUE(std::none_of(heading.begin(), heading.end(), iswlower)) << "capitals";
    }
    int paragraphs = 0;
    for (size_t i = 4; i < sections[0]; ++i)
        paragraphs += !lines[i].empty() && lines[i - 1].empty();
    EXPECT_EQ(paragraphs, 3);
    std::wstring restrictions;
    for (size_t i = sections[1]; i < sections[2]; ++i)
        restrictions += lines[i];
    EXPECT_NE(restrictions.find(L'@'), std::wstring::npos) << "support mail address";
    EXPECT_NE(restrictions.find(L"+49"), std::wstring::npos) << "telephone number";
}
