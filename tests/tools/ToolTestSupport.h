// tests/tools/ToolTestSupport.h: running the payload program, scratch folders,
// and archives made by hand.
#pragma once

#include "PayloadBytes.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace tool_test {

struct SRun {
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

// Runs the payload program built next to the tests with the arguments, each
// quoted, and collects its exit code and output.
SRun RunPayload(const std::string& strArguments);
// Whether strPart occurs in strText.
bool Has(const std::string& strText, const std::string& strPart);
// Double quotes around a path, for RunPayload's argument text.
std::string Quoted(const std::filesystem::path& path);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& strData);
struct SFileDigest {
    std::uint64_t nSize;
    std::uint32_t nCrc;
    bool operator==(const SFileDigest& other) const {
        return nSize == other.nSize && nCrc == other.nCrc;
    }
};
// Every regular file below a folder: name relative to it ('/'-separated) to
// size and CRC-32, so that big trees compare without holding their bytes.
std::map<std::string, SFileDigest> DigestTree(const std::filesystem::path& root);

// A small PE32 (or PE32+) GUI image laid out as the linker lays out the
// wizard: code, resources ("RT_ARCHIV" 149 empty, RT_VERSION 1 holding
// kStubVersion, both in language 1031), relocations, then a symbol table.
std::string MakeStub(bool bPlus);
inline constexpr char kStubVersion[] = "Korvanu 1.1 version";
// Offsets in MakeStub's image: the resource section's file offset, the reloc
// section's, the symbol table's.
inline constexpr std::size_t kStubResources = 0x600;
inline constexpr std::size_t kStubRelocations = 0x800;
inline constexpr std::size_t kStubSymbols = 0xA00;

using test_support::Entry;
using test_support::Gzip;

// A fresh folder in the working directory, removed afterwards.
class CScratch {
public:
    CScratch();
    ~CScratch();
    CScratch(const CScratch&) = delete;
    CScratch& operator=(const CScratch&) = delete;

    // strName in UTF-8, as Linux names are; Windows takes it as such too.
    std::filesystem::path operator/(const std::string& strName) const {
        return m_root / std::filesystem::u8path(strName);
    }

private:
    std::filesystem::path m_root;
};

} // namespace tool_test
