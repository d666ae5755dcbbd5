// tools/payload/demo/DemoLayout.cpp
#include "demo/DemoLayout.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const kBrimlowTexts[] = {"readme",  "liesmich", "credits",
                                     "lang_de", "lang_en",  "config"};

std::string Numbered(const char* pszFormat, int nNumber) {
    char sz[32];
    std::snprintf(sz, sizeof sz, pszFormat, nNumber);
    return sz;
}

} // namespace

CDemoLayout::CDemoLayout(bool bSmall) : m_bSmall(bSmall), m_random(bSmall ? 0x5A11 : 0xF011) {
    Add("app.elf", EDemoKind::Program, 40000, 90000);
    AddWave("system\\key_down.wav", 2000, 8000);
    AddWave("system\\lowbatt.wav", 20000, 60000);
    Add("brimlow\\app.elf", EDemoKind::Program, 150000, 400000);
    for (const char* pszText : kBrimlowTexts)
        Add(std::string("brimlow\\") + pszText + ".txt", EDemoKind::Text, 200, 6000);
    Add("brimlow\\menu\\menu.elf", EDemoKind::Program, 20000, 80000);
    Add("brimlow\\menu\\items.txt", EDemoKind::Text, 300, 3000);
    m_entries.push_back(
        {"brimlow\\sounds\\music_01.wav", Scaled(kLargest), EDemoKind::Wave, m_random.Next()});
    for (int i = 2; i <= 6; ++i)
        AddWave(Numbered("brimlow\\sounds\\music_%02d.wav", i), 300000, 880000);
    for (int i = 1; i <= 16; ++i)
        AddWave(Numbered("brimlow\\sounds\\sfx_%02d.wav", i), 6000, 160000);
    AddSounds("brimlow\\sounds\\de\\", m_bSmall ? 37 : 1150, m_bSmall ? 3 : 31);
    AddSounds("brimlow\\sounds\\en\\", m_bSmall ? 33 : 1050, m_bSmall ? 3 : 24);
    // The one file out of its directory's run: storage order is not sorted.
    m_entries.push_back({"brimlow\\version.txt", kSmallest, EDemoKind::Text, m_random.Next()});
    Add("osup\\osup.elf", EDemoKind::Program, 60000, 200000);
    Add("osup\\update.elf", EDemoKind::Program, 20000, 90000);
    Add("osup\\readme.txt", EDemoKind::Text, 500, 4000);
    Add("osup\\version.txt", EDemoKind::Text, 30, 120);
    Add("menu\\menu.elf", EDemoKind::Program, 30000, 120000);
    Add("menu\\menu.txt", EDemoKind::Text, 200, 2000);
    if (!m_bSmall)
        FitTotal(kFullTotal);
}

uint64_t CDemoLayout::GetTotalSize() const {
    uint64_t nTotal = 0;
    for (const SDemoEntry& entry : m_entries)
        nTotal += entry.nSize;
    return nTotal;
}

void CDemoLayout::Add(const std::string& strName, EDemoKind nKind, uint32_t nLow, uint32_t nHigh) {
    // Texts keep their size in the small layout, so both share the smallest file.
    if (nKind != EDemoKind::Text) {
        nLow = Scaled(nLow);
        nHigh = Scaled(nHigh);
    }
    uint32_t nSize = m_random.Between(nLow, nHigh);
    m_entries.push_back({strName, nSize, nKind, m_random.Next()});
}

// 16-bit mono samples after a 44-byte header: wave files have even sizes.
void CDemoLayout::AddWave(const std::string& strName, uint32_t nLow, uint32_t nHigh) {
    uint32_t nSize = 2 * m_random.Between(Scaled(nLow) / 2, Scaled(nHigh) / 2);
    m_entries.push_back({strName, nSize, EDemoKind::Wave, m_random.Next()});
}

void CDemoLayout::AddSounds(const std::string& strDir, int nSpeech, int nNarration) {
    for (int i = 1; i <= nSpeech; ++i)
        AddWave(strDir + Numbered("p%04d.wav", i), 30000, 190000);
    for (int i = 1; i <= nNarration; ++i)
        AddWave(strDir + Numbered("narr_%03d.wav", i), 60000, 240000);
}

// Spreads the difference to the wanted total over the speech files, two bytes
// at a time so that they stay whole samples; an odd remainder goes to a text.
void CDemoLayout::FitTotal(uint64_t nTotal) {
    int64_t nDiff = static_cast<int64_t>(nTotal) - static_cast<int64_t>(GetTotalSize());
    std::vector<SDemoEntry*> speech;
    for (SDemoEntry& entry : m_entries) {
        if (entry.strName.find("\\p") != std::string::npos)
            speech.push_back(&entry);
        else if (nDiff % 2 != 0 && entry.nKind == EDemoKind::Text && entry.nSize > kSmallest) {
            entry.nSize += nDiff > 0 ? 1 : -1;
            nDiff += nDiff > 0 ? -1 : 1;
        }
    }
    int64_t nCount = static_cast<int64_t>(speech.size());
    int64_t nBase = nDiff / 2 / nCount;
    int64_t nRest = nDiff / 2 % nCount; // has the sign of the difference
    for (int64_t i = 0; i < nCount; ++i) {
        int64_t nShare = nBase + (i < std::llabs(nRest) ? (nRest > 0 ? 1 : -1) : 0);
        speech[i]->nSize = static_cast<uint32_t>(speech[i]->nSize + 2 * nShare);
    }
}

uint32_t CDemoLayout::Scaled(uint32_t nSize) const {
    return m_bSmall ? (nSize / 16) * 2 : nSize;
}
