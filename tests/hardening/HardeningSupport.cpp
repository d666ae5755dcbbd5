// tests/hardening/HardeningSupport.cpp
#ifdef _WIN32
#include <windows.h>
#endif

#include "HardeningSupport.h"

#include "archive/ArchivFormat.h"

#include <algorithm>

namespace fs = std::filesystem;
using namespace archive_test;

namespace hardening {

namespace {

const UINT kID = 7301;

// Bytes that look like sound data: varied, but not random, so they compress.
std::string WaveLike(std::size_t nSize) {
    std::string strData = "RIFF\x24\x08\0\0WAVEfmt ";
    unsigned nValue = 17;
    while (strData.size() < nSize) {
        nValue = nValue * 1103515245u + 12345u;
        strData += static_cast<char>('@' + (nValue >> 16) % 24);
    }
    return strData;
}

} // namespace

void CTestArchive::Add(const std::string& strName, const std::string& strContents) {
    SEntry entry;
    entry.strName = strName;
    entry.strContents = strContents;
    entry.strMember = Gzip(strContents);
    Append(entry);
}

void CTestArchive::AddStored(const std::string& strName, const std::string& strBytes) {
    SEntry entry;
    entry.strName = strName;
    entry.strContents = strBytes;
    entry.strMember = strBytes;
    entry.bStored = true;
    Append(entry);
}

void CTestArchive::Append(SEntry entry) {
    entry.nStart = m_strBytes.size();
    entry.nSeparator = entry.nStart + entry.strName.size();
    entry.nLength = entry.nSeparator + ARCHIV_SEPARATOR_LENGTH;
    entry.nMember = entry.nLength + ARCHIV_LENGTH_FIELD;
    entry.nEnd = entry.nMember + entry.strMember.size();
    m_strBytes += Entry(entry.strName, entry.strMember);
    m_entries.push_back(entry);
}

const SEntry& CTestArchive::EntryAt(std::size_t nOffset) const {
    for (const SEntry& entry : m_entries) {
        if (nOffset < entry.nEnd)
            return entry;
    }
    return m_entries.back();
}

CTestArchive MixedArchive() {
    CTestArchive archive;
    archive.Add("app.elf", "\x7F"
                           "ELF" +
                               WaveLike(300));
    archive.Add("brimlow\\sounds\\de\\p0445.wav", WaveLike(700));
    archive.AddStored("menu\\empty.txt", "");
    archive.Add("system\\gz-empty.txt", "");
    archive.AddStored("osup\\plain.txt", "stored as it is, without the gzip magic");
    archive.Add("brimlow\\readme.txt", "Hallo Korvanu\r\n");
    return archive;
}

namespace {

// The path in the system's code page, as the engine named it, with '/'.
std::string NameOf(const fs::path& path) {
#ifdef _WIN32
    const std::wstring strWide = path.wstring();
    std::string strName(strWide.size() * 2 + 1, '\0');
    const int nLength =
        WideCharToMultiByte(CP_ACP, 0, strWide.c_str(), static_cast<int>(strWide.size()),
                            &strName[0], static_cast<int>(strName.size()), nullptr, nullptr);
    strName.resize(nLength > 0 ? static_cast<std::size_t>(nLength) : 0);
    std::replace(strName.begin(), strName.end(), '\\', '/');
    return strName;
#else
    return path.generic_string();
#endif
}

} // namespace

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> tree;
    if (!fs::exists(folder))
        return tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string strPath = NameOf(entry.path().lexically_relative(folder));
        if (entry.is_directory())
            tree[strPath + "/"] = "";
        else
            tree[strPath] = ReadFile(entry.path());
    }
    return tree;
}

std::map<std::string, std::string> TreeOf(const std::vector<const SEntry*>& entries) {
    std::map<std::string, std::string> tree;
    for (const SEntry* pEntry : entries) {
        std::string strPath = pEntry->strName;
        std::replace(strPath.begin(), strPath.end(), '\\', '/');
        tree[strPath] = pEntry->strContents;
        for (std::size_t n = strPath.find('/'); n != std::string::npos;
             n = strPath.find('/', n + 1))
            tree[strPath.substr(0, n + 1)] = "";
    }
    return tree;
}

CGuardedScratch::CGuardedScratch() {
    fs::create_directories(Target());
    fs::create_directories(Sentinel() / "brimlow");
    WriteFile(Sentinel() / "app.elf", "sentinel app.elf");
    WriteFile(Sentinel() / "brimlow" / "readme.txt", "sentinel readme");
    WriteFile(Sentinel() / "evil.txt", "sentinel evil");
    m_sentinel = Snapshot(Sentinel());
}

::testing::AssertionResult CGuardedScratch::OutsideUnchanged() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Root()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    if (names != std::vector<std::string>{"sentinel", "target", "tmp"})
        return ::testing::AssertionFailure()
               << "the scratch folder holds " << names.size() << " entries";
    if (Snapshot(Sentinel()) != m_sentinel)
        return ::testing::AssertionFailure() << "the sentinel tree changed";
    if (!ListFiles(Temp()).empty())
        return ::testing::AssertionFailure() << "a temporary file stayed";
    for (const char* pszName : {"evil.txt", "x", "app.elf"}) {
        if (fs::exists(Root().parent_path() / pszName))
            return ::testing::AssertionFailure() << pszName << " beside the scratch folder";
    }
    return ::testing::AssertionSuccess();
}

void CGuardedScratch::EmptyTarget() const {
    for (const auto& entry : fs::directory_iterator(Target()))
        fs::remove_all(entry.path());
}

SWalk WalkArchive(const std::string& strBytes, const fs::path& target,
                  CRecordingPlatform& platform) {
    CRegisteredArchive registered(kID, strBytes);
    platform.messages.clear();
    CPayloadArchive archive(platform);
    SWalk walk;
    EXPECT_TRUE(archive.Open(kID));
    archive.SetTargetDir(target.string().c_str());
    // Each entry takes at least 13 bytes: a bound on the walk instead of a clock.
    const int nMaxEntries = static_cast<int>(strBytes.size() / 13 + 1);
    try {
        while (archive.ExtractNext() && walk.nEntries <= nMaxEntries)
            ++walk.nEntries;
    } catch (const SFatalExit& exit) {
        walk.bFatal = true;
        walk.strFatal = exit.what();
    }
    EXPECT_LE(walk.nEntries, nMaxEntries) << "the walk does not move forward";
    walk.messages = platform.messages;
    return walk;
}

} // namespace hardening
