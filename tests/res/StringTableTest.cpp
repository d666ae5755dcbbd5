// tests/res/StringTableTest.cpp: the string table and the license agreement.
#include "ResourceModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

const std::map<UINT, std::wstring> kStrings = {
    {101, L"&Info..."},
    {102, L"Wollen Sie wirklich die %s von %s abbrechen?"},
    {103, L"Korvanu 1.1"},
    {104, L"brimlow"},
    {105, L"Installation"},
    {106, L"Dr\u00fccken Sie Bild-runter-Taste, um den Rest der Lizenzvereinbarung zu sehen."},
    {107, L"Falls Sie alle Bedingungen der Lizenzvereinbarung akzeptieren, w\u00e4hlen Sie unten "
          L"die entsprechende Option. Sie m\u00fcssen die Lizenzvereinbarung anerkennen, um %s "
          L"installieren zu k\u00f6nnen. Klicken Sie auf Weiter, um fortzufahren."},
    {108, L"Lizenzvereinbarung"},
    {109, L"Bitte lesen Sie die Lizenzvereinbarung durch, bevor Sie mit der Installation "
          L"fortfahren."},
    {110, L"Ich akzeptiere die Lizenzvereinbarung."},
    {111, L"Installationsziel w\u00e4hlen"},
    {112, L"W\u00e4hlen Sie die SD-Karte aus, auf der %s installiert werden soll."},
    {113, L"%s wird in das unten angegebene Verzeichnis installiert. Klicken Sie auf "
          L"Durchsuchen, um ein Verzeichnis zu w\u00e4hlen.\r\n\r\nKlicken Sie auf Weiter, um "
          L"fortzufahren."},
    {114, L"Zielverzeichnis"},
    {115, L"Bitte w\u00e4hlen Sie das Laufwerk mit der SD-Karte, auf der installiert werden "
          L"soll."},
    {116, L"Zusammenfassung"},
    {117, L"Bereit zum Installieren von %s"},
    {118, L"%s wird an folgendem Ort installiert:"},
    {119, L"Installieren"},
    {120, L"Weiter >"},
    {121, L"Installation"},
    {122, L"%s wird installiert."},
    {123, L"Entpacke und installiere Dateien"},
    {124, L"Die Installation von %s wird abgeschlossen"},
    {126, L"Klicken Sie auf Fertig, um den Installations-Assistenten zu schlie\u00dfen."},
    {127, L"Fertig"},
    {138, L"die Installation"},
    {139, L"Willkommen beim Installations-Assistenten f\u00fcr %s"},
    {140, L"Dieser Assistent wird Sie durch die Installation von %s begleiten.\r\n\r\nF\u00fcr "
          L"die Installation ben\u00f6tigen Sie eine Orva kompatible SD-Karte mit %dMB freiem "
          L"Speicher."},
    {142, L"Klicken Sie auf Weiter, um fortzusetzen."},
};

const std::wstring kForumLead =
    L"%s wurde erfolgreich installiert.\r\n\r\nWir w\u00fcnschen Ihnen viel Spa\u00df mit der "
    L"Software.\r\n\r\nBei weiteren Fragen besuchen Sie unser Forum auf ";

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
    std::set<UINT> expected = {125, 143};
    for (const auto& entry : kStrings)
        expected.insert(entry.first);
    EXPECT_EQ(present, expected);
    for (UINT id : {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 141})
        EXPECT_EQ(TestModule().String(id), L"") << id;
}

TEST(StringTable, FinishTextEndsWithTheForumAddress) {
    std::wstring text = TestModule().String(125);
    ASSERT_EQ(text.compare(0, kForumLead.size(), kForumLead), 0) << "string 125";
    std::wstring address = text.substr(kForumLead.size());
    EXPECT_NE(address.find(L'.'), std::wstring::npos);
    EXPECT_EQ(address.find_first_of(L" \r\n"), std::wstring::npos);
}

TEST(License, CountsOfCharactersAndLines) {
    std::wstring text = TestModule().String(143);
    EXPECT_EQ(text.size(), 3891u);
    std::vector<std::wstring> lines = SplitLines(text);
    EXPECT_EQ(lines.size(), 96u);
    EXPECT_EQ(lines.front(), L"");
    EXPECT_EQ(lines.back(), L"");
    for (const std::wstring& line : lines) {
        EXPECT_LE(line.size(), 87u) << "line too long for the text box";
        EXPECT_EQ(line.find_first_of(L"\r\n\t"), std::wstring::npos) << "stray line break";
    }
    EXPECT_TRUE(FitsCodePage1252(text));
}

TEST(License, HeadingIntroductionAndSevenSections) {
    std::vector<std::wstring> lines = SplitLines(TestModule().String(143));
    ASSERT_EQ(lines.size(), 96u);
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
