// tests/tools/DemoLayoutTest.cpp: the demo payload has the shipped archive's shape
// and the same bytes everywhere.
#include "demo/DemoLayout.h"
#include "demo/DemoContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <zlib.h>

namespace {

std::string DirectoryOf(const std::string& strName) {
    std::size_t n = strName.rfind('\\');
    return n == std::string::npos ? std::string() : strName.substr(0, n);
}

std::string ExtensionOf(const std::string& strName) {
    return strName.substr(strName.rfind('.'));
}

std::uint32_t Get32(const std::vector<unsigned char>& data, std::size_t nAt) {
    return data[nAt] | data[nAt + 1] << 8 | data[nAt + 2] << 16 |
           static_cast<std::uint32_t>(data[nAt + 3]) << 24;
}

std::map<std::string, int> CountBy(const std::vector<SDemoEntry>& entries,
                                   std::string (*pKey)(const std::string&)) {
    std::map<std::string, int> counts;
    for (const SDemoEntry& entry : entries)
        ++counts[pKey(entry.strName)];
    return counts;
}

const std::map<std::string, int> kShippedDirectories = {{"", 1},
                                                        {"system", 2},
                                                        {"osup", 4},
                                                        {"menu", 2},
                                                        {"brimlow", 8},
                                                        {"brimlow\\menu", 2},
                                                        {"brimlow\\sounds", 22},
                                                        {"brimlow\\sounds\\de", 1181},
                                                        {"brimlow\\sounds\\en", 1074}};

} // namespace

TEST(DemoLayout, FullHasTheShippedShape) {
    CDemoLayout layout(false);
    const std::vector<SDemoEntry>& entries = layout.GetEntries();
    ASSERT_EQ(entries.size(), 2296u);
    EXPECT_EQ(entries[0].strName, "app.elf");
    EXPECT_EQ(entries[1].strName, "system\\key_down.wav");
    EXPECT_EQ(entries[2].strName, "system\\lowbatt.wav");
    EXPECT_EQ(entries[3].strName, "brimlow\\app.elf");
    EXPECT_EQ(CountBy(entries, DirectoryOf), kShippedDirectories);
    std::map<std::string, int> extensions = {{".wav", 2279}, {".txt", 11}, {".elf", 6}};
    EXPECT_EQ(CountBy(entries, ExtensionOf), extensions);
    EXPECT_EQ(layout.GetTotalSize(), 248348403u);
    auto bySize = [](const SDemoEntry& a, const SDemoEntry& b) { return a.nSize < b.nSize; };
    EXPECT_EQ(std::max_element(entries.begin(), entries.end(), bySize)->nSize, 901198u);
    EXPECT_EQ(std::min_element(entries.begin(), entries.end(), bySize)->nSize, 22u);
}

TEST(DemoLayout, NamesAreShortPlainAndDistinctIgnoringCase) {
    for (bool bSmall : {false, true}) {
        std::set<std::string> folded;
        std::size_t nShortest = 100, nLongest = 0;
        CDemoLayout layout(bSmall);
        for (const SDemoEntry& entry : layout.GetEntries()) {
            std::string strFolded;
            for (char ch : entry.strName) {
                EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(ch)) ||
                            std::string("_-.\\").find(ch) != std::string::npos)
                    << entry.strName;
                strFolded += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            }
            EXPECT_TRUE(folded.insert(strFolded).second) << entry.strName;
            nShortest = std::min(nShortest, entry.strName.size());
            nLongest = std::max(nLongest, entry.strName.size());
        }
        EXPECT_EQ(nShortest, 7u);
        EXPECT_LE(nLongest, 30u);
    }
}

TEST(DemoLayout, StorageOrderIsNotSorted) {
    std::vector<std::string> names;
    CDemoLayout layout(false);
    for (const SDemoEntry& entry : layout.GetEntries())
        names.push_back(entry.strName);
    EXPECT_FALSE(std::is_sorted(names.begin(), names.end()));
}

TEST(DemoLayout, SmallKeepsTheDirectoriesAndKindsAtAFewMegabytes) {
    CDemoLayout layout(true);
    std::map<std::string, int> directories = CountBy(layout.GetEntries(), DirectoryOf);
    std::set<std::string> shipped, small;
    for (const auto& [strDir, nCount] : kShippedDirectories)
        shipped.insert(strDir);
    for (const auto& [strDir, nCount] : directories)
        small.insert(strDir);
    EXPECT_EQ(small, shipped);
    EXPECT_EQ(CountBy(layout.GetEntries(), ExtensionOf).size(), 3u);
    EXPECT_GT(layout.GetTotalSize(), 1000000u);
    EXPECT_LT(layout.GetTotalSize(), 8000000u);
}

TEST(DemoContent, WavesHaveAConsistentPcmHeader) {
    CDemoLayout layout(true);
    for (const SDemoEntry& entry : layout.GetEntries()) {
        if (entry.nKind != EDemoKind::Wave)
            continue;
        std::vector<unsigned char> data = CDemoContent::Generate(entry);
        ASSERT_EQ(data.size(), entry.nSize);
        EXPECT_EQ(std::string(data.begin(), data.begin() + 4), "RIFF") << entry.strName;
        EXPECT_EQ(Get32(data, 4), entry.nSize - 8);
        EXPECT_EQ(std::string(data.begin() + 8, data.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(Get32(data, 16), 16u);
        EXPECT_EQ(data[20] | data[21] << 8, 1); // PCM
        EXPECT_EQ(data[32] | data[33] << 8, 2); // block align of 16-bit mono
        EXPECT_EQ(std::string(data.begin() + 36, data.begin() + 40), "data");
        EXPECT_EQ(Get32(data, 40), entry.nSize - 44);
        EXPECT_EQ(entry.nSize % 2, 0u) << entry.strName;
    }
}

TEST(DemoContent, FilesHaveTheirSizesAndKinds) {
    CDemoLayout layout(true);
    for (const SDemoEntry& entry : layout.GetEntries()) {
        std::vector<unsigned char> data = CDemoContent::Generate(entry);
        ASSERT_EQ(data.size(), entry.nSize) << entry.strName;
        std::string strStart(data.begin(), data.begin() + 7);
        if (entry.nKind == EDemoKind::Program) {
            EXPECT_EQ(strStart.substr(0, 4), "\177ELF");
        } else if (entry.nKind == EDemoKind::Text) {
            EXPECT_EQ(strStart, "Korvanu");
        }
    }
}

// The same CRC on Linux and under Wine: nothing in the contents depends on the
// compiler, its runtime or the machine. A deliberate change of the generator
// changes this value.
TEST(DemoContent, SmallPayloadIsTheSameEverywhere) {
    uLong nCrc = crc32(0, Z_NULL, 0);
    CDemoLayout layout(true);
    for (const SDemoEntry& entry : layout.GetEntries()) {
        std::vector<unsigned char> data = CDemoContent::Generate(entry);
        nCrc = crc32(nCrc, reinterpret_cast<const Bytef*>(entry.strName.data()),
                     static_cast<uInt>(entry.strName.size()));
        nCrc = crc32(nCrc, data.data(), static_cast<uInt>(data.size()));
    }
    EXPECT_EQ(nCrc, 234317690u);
}
