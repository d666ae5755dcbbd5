// tests/res/ProgramInfoTest.cpp: version information, manifest and payload archive.
#include "ExpectedResources.h"
#include "ResourceModule.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<char> VersionBlock() {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(TestModule().Path().c_str(), &ignored));
    if (!block.empty() &&
        !GetFileVersionInfoW(TestModule().Path().c_str(), 0, block.size(), block.data()))
        block.clear();
    return block;
}

std::wstring VersionString(std::vector<char>& block, const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\040704e4\\") + key;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return L"<missing>";
    return std::wstring(value, length && !value[length - 1] ? length - 1 : length);
}

} // namespace

TEST(Version, FixedPart) {
    ASSERT_TRUE(TestModule().Data(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), kGerman));
    std::vector<char> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS | fixed->dwFileDateLS, 0u);
}

TEST(Version, GermanStringTable) {
    std::vector<char> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 0x04E4);
    for (const auto& [key, value] : kVersionStrings)
        EXPECT_EQ(VersionString(block, key.c_str()), value) << key;
    EXPECT_EQ(VersionString(block, L"LegalCopyright"), L"<missing>");
    EXPECT_NE(VersionString(block, L"Copyright").find(L"Valdero GmbH"), std::wstring::npos);
}

TEST(Manifest, AsksForCommonControls6) {
    auto data = TestModule().Data(RT_MANIFEST, MAKEINTRESOURCEW(1), kGerman);
    ASSERT_TRUE(data);
    std::string text(*data);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
    for (const char* part :
         {"name=\"Microsoft.Windows.setup\"", "version=\"1.0.0.0\"", "type=\"win32\"",
          "<description>F\xc3\xbcgen Sie hier die Anwendungsbeschreibung ein</description>",
          "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
          "processorArchitecture=\"X86\"", "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(Payload, ArchiveIsGermanResource149) {
    // The installer finds it exactly like this.
    HRSRC found = FindResourceA(TestModule().Handle(), "#149", "RT_ARCHIV");
    ASSERT_TRUE(found);
    auto data = TestModule().Data(L"RT_ARCHIV", MAKEINTRESOURCEW(149), kGerman);
    ASSERT_TRUE(data);
    EXPECT_GT(data->size(), 0u);
    if (TestPayloadPath().empty())
        return;
    std::ifstream file(TestPayloadPath(), std::ios::binary);
    ASSERT_TRUE(file) << TestPayloadPath();
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes == *data) << "RT_ARCHIV 149 differs from " << TestPayloadPath();
}
