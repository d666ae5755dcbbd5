// tests/hardening/HardeningSupport.h: test archives that know where their parts
// lie, a scratch folder guarded by a sentinel tree, and one walk of the
// installer with what it showed.
#pragma once

#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace hardening {

// One entry of a test archive: what it holds and the offsets of its parts.
struct SEntry {
    std::string strName;
    std::string strContents; // what lands in the file
    std::string strMember;   // what the archive stores
    bool bStored = false;    // a member without the gzip magic, written as it is
    std::size_t nStart = 0;  // the name
    std::size_t nSeparator = 0;
    std::size_t nLength = 0;
    std::size_t nMember = 0;
    std::size_t nEnd = 0; // the next entry
};

class CTestArchive {
public:
    // An entry whose member is one gzip member of the contents.
    void Add(const std::string& strName, const std::string& strContents);
    // An entry whose member holds the bytes themselves (no gzip magic).
    void AddStored(const std::string& strName, const std::string& strBytes);

    const std::string& Bytes() const { return m_strBytes; }
    const std::vector<SEntry>& Entries() const { return m_entries; }
    // The entry whose bytes include the offset.
    const SEntry& EntryAt(std::size_t nOffset) const;

private:
    void Append(SEntry entry);

    std::string m_strBytes;
    std::vector<SEntry> m_entries;
};

// Several directories, a zero-length member, a gzip member of no bytes, a
// stored member, a file at the root.
CTestArchive MixedArchive();

// Every file below the folder with its contents, and every directory as
// "path/" with no contents; paths with '/'.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

// The files that the entries land as, in Snapshot's form.
std::map<std::string, std::string> TreeOf(const std::vector<const SEntry*>& entries);

// A scratch folder with the target, the temporary folder (TMP) and, beside
// them, a sentinel tree that holds files named like the entries.
class CGuardedScratch : public archive_test::CScratch {
public:
    CGuardedScratch();
    std::filesystem::path Sentinel() const { return Root() / "sentinel"; }
    // Nothing but target, tmp and sentinel in the scratch folder, the sentinel
    // tree as it was, nothing left in tmp, nothing beside the scratch folder.
    ::testing::AssertionResult OutsideUnchanged() const;
    // Removes everything below the target.
    void EmptyTarget() const;

private:
    std::map<std::string, std::string> m_sentinel;
};

struct SWalk {
    int nEntries = 0; // ExtractNext results of TRUE
    bool bFatal = false;
    std::string strFatal;
    std::vector<archive_test::SMessage> messages;
};

// Runs the install worker's loop over the bytes into the folder, with the
// platform's faults; a fatal end stops the walk and is recorded.
SWalk WalkArchive(const std::string& strBytes, const std::filesystem::path& target,
                  archive_test::CRecordingPlatform& platform);

} // namespace hardening
