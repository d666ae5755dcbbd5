// tests/hardening/DamageSweepTest.cpp: an archive cut at every byte, and with
// every bit of it flipped in turn. What the installer promises then:
//
// - always: it ends (each entry takes at least 13 bytes), without a fatal end,
//   nothing outside the target changes and no temporary file stays;
// - cut: every entry before the cut lands byte-exact; the entry cut through is
//   reported and leaves nothing. A cut between two entries cannot be seen,
//   as the format has no count or index: the walk then ends quietly;
// - flipped in a gzip member (beyond its magic): that entry lands byte-exact
//   or is reported and leaves nothing; every other entry lands;
// - flipped in a name: the entry lands under the damaged name when that is a
//   safe name, or is reported; every other entry lands;
// - flipped in a stored member or in the gzip magic (which makes the member a
//   stored one): the file holds the member's bytes as they are; stored
//   members carry no check;
// - flipped in a separator or a length field, which frames everything after
//   it: no file holds half-decoded bytes (each holds an entry's exact
//   contents or a run of the archive's own bytes, copied by a stored
//   member), every gzip entry lands exactly or not at all, and a gzip entry
//   that does not land comes with a message, unless the flipped length
//   belonged to a stored member.
#include "HardeningSupport.h"

#include "archive/EntryName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

using namespace archive_test;
using namespace hardening;

namespace {

typedef std::map<std::string, std::string> Tree;

// Windows finds names regardless of case: compare paths in lower case there.
std::string Key(std::string strPath) {
#ifdef _WIN32
    for (char& c : strPath)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#endif
    return strPath;
}

Tree Keyed(const Tree& tree) {
    Tree keyed;
    for (const auto& item : tree)
        keyed[Key(item.first)] = item.second;
    return keyed;
}

std::vector<const SEntry*> AllBut(const CTestArchive& archive, const SEntry* pLeftOut) {
    std::vector<const SEntry*> entries;
    for (const SEntry& entry : archive.Entries()) {
        if (&entry != pLeftOut)
            entries.push_back(&entry);
    }
    return entries;
}

std::vector<std::string> Texts(const SWalk& walk) {
    std::vector<std::string> texts;
    for (const SMessage& message : walk.messages)
        texts.push_back(message.strText);
    return texts;
}

class DamageSweep : public ::testing::Test {
protected:
    SWalk Walk(const std::string& strBytes) {
        m_scratch.EmptyTarget();
        CRecordingPlatform platform;
        SWalk walk = WalkArchive(strBytes, m_scratch.Target(), platform);
        EXPECT_FALSE(walk.bFatal) << walk.strFatal;
        EXPECT_TRUE(m_scratch.OutsideUnchanged());
        return walk;
    }

    Tree Landed() const { return Keyed(Snapshot(m_scratch.Target())); }

    // Checks one flipped archive against the promise for the flipped part.
    void CheckFlip(const std::string& strFlipped, std::size_t nOffset) {
        const SEntry& entry = m_archive.EntryAt(nOffset);
        const SWalk walk = Walk(strFlipped);
        const Tree others = Keyed(TreeOf(AllBut(m_archive, &entry)));
        Tree landed = Landed();
        if (nOffset < entry.nSeparator) {
            const std::string strName = strFlipped.substr(entry.nStart, entry.strName.size());
            if (IsSafeEntryName(strName)) {
                SEntry renamed = entry;
                renamed.strName = strName;
                std::vector<const SEntry*> expected = AllBut(m_archive, &entry);
                expected.push_back(&renamed);
                EXPECT_EQ(Keyed(TreeOf(expected)), landed);
                EXPECT_TRUE(walk.messages.empty());
            } else {
                EXPECT_EQ(others, landed);
                EXPECT_EQ(std::vector<std::string>{InvalidName(strName)}, Texts(walk));
            }
        } else if (nOffset >= entry.nMember && (entry.bStored || nOffset < entry.nMember + 2)) {
            SEntry copied = entry;
            copied.strContents = strFlipped.substr(entry.nMember, entry.strMember.size());
            std::vector<const SEntry*> expected = AllBut(m_archive, &entry);
            expected.push_back(&copied);
            EXPECT_EQ(Keyed(TreeOf(expected)), landed);
            EXPECT_TRUE(walk.messages.empty());
        } else if (nOffset >= entry.nMember) {
            if (landed == Keyed(TreeOf(AllBut(m_archive, nullptr)))) {
                EXPECT_TRUE(walk.messages.empty());
            } else {
                // The directories of the entry are made before it is decoded.
                for (const auto& item : Keyed(TreeOf({&entry}))) {
                    if (item.first.back() == '/')
                        landed.erase(item.first);
                }
                Tree expected = others;
                for (auto it = expected.begin(); it != expected.end();)
                    it = it->first.back() == '/' ? expected.erase(it) : std::next(it);
                for (auto it = landed.begin(); it != landed.end();)
                    it = it->first.back() == '/' ? landed.erase(it) : std::next(it);
                EXPECT_EQ(expected, landed);
                EXPECT_EQ(std::vector<std::string>{Damaged(entry.strName)}, Texts(walk));
            }
        } else {
            CheckReframed(strFlipped, walk, entry.bStored && nOffset >= entry.nLength);
        }
    }

    // The promise where a separator or a length field is damaged.
    void CheckReframed(const std::string& strFlipped, const SWalk& walk, bool bStoredLength) {
        const Tree landed = Landed();
        std::set<std::string> contents;
        for (const SEntry& entry : m_archive.Entries())
            contents.insert(entry.strContents);
        bool bGzipMissing = false;
        for (const auto& item : landed) {
            if (item.first.back() == '/')
                continue;
            EXPECT_TRUE(contents.count(item.second) ||
                        strFlipped.find(item.second) != std::string::npos)
                << item.first << " holds bytes that no entry and no stored member has";
        }
        for (const SEntry& entry : m_archive.Entries()) {
            const auto it = landed.find(Keyed(TreeOf({&entry})).rbegin()->first);
            if (entry.bStored || (it != landed.end() && it->second == entry.strContents))
                continue;
            bGzipMissing = true;
            EXPECT_TRUE(it == landed.end()) << entry.strName << " landed damaged";
        }
        if (bGzipMissing && !bStoredLength) {
            EXPECT_FALSE(walk.messages.empty()) << "an entry is missing without a word";
        }
    }

    CGuardedScratch m_scratch;
    const CTestArchive m_archive = MixedArchive();
};

TEST_F(DamageSweep, TheIntactArchiveLandsWhole) {
    const SWalk walk = Walk(m_archive.Bytes());
    EXPECT_EQ(static_cast<int>(m_archive.Entries().size()), walk.nEntries);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ(Keyed(TreeOf(AllBut(m_archive, nullptr))), Landed());
}

TEST_F(DamageSweep, EveryCutLandsWhatPrecedesItAndReportsTheEntryItCuts) {
    const std::string& strBytes = m_archive.Bytes();
    for (std::size_t nCut = 0; nCut < strBytes.size(); ++nCut) {
        SCOPED_TRACE("cut at " + std::to_string(nCut));
        const SWalk walk = Walk(strBytes.substr(0, nCut));
        std::vector<const SEntry*> before;
        for (const SEntry& entry : m_archive.Entries()) {
            if (entry.nEnd <= nCut)
                before.push_back(&entry);
        }
        EXPECT_EQ(static_cast<int>(before.size()), walk.nEntries);
        EXPECT_EQ(Keyed(TreeOf(before)), Landed());
        const SEntry& cut = m_archive.EntryAt(nCut);
        if (nCut == cut.nStart) {
            EXPECT_TRUE(walk.messages.empty());
        } else {
            // Inside the name or the separator, the name is known only as far as read.
            const std::string strName =
                nCut < cut.nLength ? strBytes.substr(cut.nStart, nCut - cut.nStart) : cut.strName;
            EXPECT_EQ(std::vector<std::string>{Damaged(strName)}, Texts(walk));
        }
    }
}

TEST_F(DamageSweep, EveryFlippedBitKeepsThePromiseOfItsPart) {
    const std::string& strBytes = m_archive.Bytes();
    for (std::size_t nOffset = 0; nOffset < strBytes.size(); ++nOffset) {
        for (int nBit = 0; nBit < 8; ++nBit) {
            // In the bulk of a member one bit per byte, a different one each
            // time; every bit of names, separators, lengths, headers and trailers.
            const SEntry& entry = m_archive.EntryAt(nOffset);
            if (nOffset >= entry.nMember + 10 && nOffset + 8 < entry.nEnd &&
                nBit != static_cast<int>(nOffset % 8))
                continue;
            SCOPED_TRACE("bit " + std::to_string(nBit) + " of byte " + std::to_string(nOffset));
            std::string strFlipped = strBytes;
            strFlipped[nOffset] = static_cast<char>(strFlipped[nOffset] ^ (1 << nBit));
            CheckFlip(strFlipped, nOffset);
        }
    }
}

} // namespace
