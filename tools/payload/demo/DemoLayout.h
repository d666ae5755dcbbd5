// tools/payload/demo/DemoLayout.h
#pragma once

#include "demo/DemoRandom.h"

#include <cstdint>
#include <string>
#include <vector>

enum class EDemoKind { Wave, Program, Text };

struct SDemoEntry {
    std::string strName; // archive name, components separated by backslashes
    uint32_t nSize;      // decoded size in bytes
    EDemoKind nKind;
    uint64_t nSeed; // seeds the contents, so each file can be made on its own
};

// The names, sizes and storage order of the demo payload. The full layout has
// the shape of the shipped game: 2,296 files in the same directories, of the
// same kinds and of exactly the same total size; the small one keeps the
// directories and kinds with fewer and smaller files.
class CDemoLayout {
public:
    static constexpr uint64_t kFullTotal = 248348403;
    static constexpr uint32_t kLargest = 901198;
    static constexpr uint32_t kSmallest = 22;

    explicit CDemoLayout(bool bSmall);

    const std::vector<SDemoEntry>& GetEntries() const { return m_entries; }
    uint64_t GetTotalSize() const;

private:
    void Add(const std::string& strName, EDemoKind nKind, uint32_t nLow, uint32_t nHigh);
    void AddWave(const std::string& strName, uint32_t nLow, uint32_t nHigh);
    void AddSounds(const std::string& strDir, int nSpeech, int nNarration);
    void FitTotal(uint64_t nTotal);
    uint32_t Scaled(uint32_t nSize) const;

    bool m_bSmall;
    CDemoRandom m_random;
    std::vector<SDemoEntry> m_entries;
};
