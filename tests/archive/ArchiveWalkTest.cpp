// tests/archive/ArchiveWalkTest.cpp: reading entries, progress and the target folder.
#include "ArchiveTestSupport.h"

#include "archive/ArchivFormat.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace archive_test;

namespace {

const UINT kID = 4711;

class ArchiveWalk : public ::testing::Test {
protected:
    // Extracts the whole archive into the scratch target; returns the entries processed.
    int ExtractAll(const std::string& strBytes) {
        CRegisteredArchive registered(kID, strBytes);
        CPayloadArchive archive(m_platform);
        EXPECT_TRUE(archive.Open(kID));
        archive.SetTargetDir(m_scratch.Target().string().c_str());
        int nEntries = 0;
        while (archive.ExtractNext()) {
            ++nEntries;
            m_progress.push_back(archive.GetProgress());
        }
        EXPECT_FALSE(archive.ExtractNext());
        return nEntries;
    }

    std::string Extracted(const std::string& strName) {
        return ReadFile(m_scratch.Target() / strName);
    }

    CScratch m_scratch;
    CRecordingPlatform m_platform;
    std::vector<int> m_progress;
};

TEST_F(ArchiveWalk, ExtractsEntriesIntoTheirFolders) {
    const std::string strBytes = Entry("app.elf", Gzip("program")) +
                                 Entry("brimlow\\sounds\\de\\p0445.wav", Gzip("RIFF....WAVE")) +
                                 Entry("brimlow\\readme.txt", Gzip("hallo"));
    EXPECT_EQ(3, ExtractAll(strBytes));
    EXPECT_EQ(
        (std::vector<std::string>{"app.elf", "brimlow/readme.txt", "brimlow/sounds/de/p0445.wav"}),
        ListFiles(m_scratch.Target()));
    EXPECT_EQ("RIFF....WAVE", Extracted("brimlow/sounds/de/p0445.wav"));
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ(100, m_progress.back());
    EXPECT_TRUE(ListFiles(m_scratch.Temp()).empty());
}

TEST_F(ArchiveWalk, ASlashInANameMakesADirectoryLikeABackslash) {
    EXPECT_EQ(1, ExtractAll(Entry("brimlow/sounds\\x.wav", Gzip("x"))));
    EXPECT_EQ((std::vector<std::string>{"brimlow/sounds/x.wav"}), ListFiles(m_scratch.Target()));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(ArchiveWalk, AnEmptyArchiveHasNoEntries) {
    CRegisteredArchive registered(kID, "");
    CPayloadArchive archive(m_platform);
    ASSERT_TRUE(archive.Open(kID));
    archive.SetTargetDir(m_scratch.Target().string().c_str());
    EXPECT_FALSE(archive.ExtractNext());
    EXPECT_EQ(100, archive.GetProgress());
}

TEST_F(ArchiveWalk, OneByteNamesAndNamesEndingInPartOfTheSeparator) {
    // " \~" and " \~#$&" begin the separator without completing it, so they
    // belong to the names. Such names end a component in a blank and are
    // refused, by their full names, and the walk goes on.
    const std::string strBytes = Entry("x", Gzip("one")) + Entry("y \\~", Gzip("two")) +
                                 Entry("z \\~#$&", Gzip("three")) + Entry("w", Gzip("four"));
    EXPECT_EQ(4, ExtractAll(strBytes));
    EXPECT_EQ((std::vector<std::string>{"w", "x"}), ListFiles(m_scratch.Target()));
    EXPECT_EQ("one", Extracted("x"));
    EXPECT_EQ("four", Extracted("w"));
    ASSERT_EQ(2u, m_platform.messages.size());
    EXPECT_EQ("Der Dateiname \"y \\~\" im Installationspaket ist ung\xFC"
              "ltig.",
              m_platform.messages[0].strText);
    EXPECT_EQ("Der Dateiname \"z \\~#$&\" im Installationspaket ist ung\xFC"
              "ltig.",
              m_platform.messages[1].strText);
}

TEST_F(ArchiveWalk, TrailingBytesWithoutSeparatorAreReportedAsACutEntry) {
    // An archive cut inside a name: the entries before it land, the cut one is named.
    const std::string strBytes = Entry("a.txt", Gzip("a")) + "garbage \\~#$&";
    EXPECT_EQ(1, ExtractAll(strBytes));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(m_scratch.Target()));
    ASSERT_EQ(1u, m_platform.messages.size());
    EXPECT_EQ("Die Datei \"garbage \\~#$&\" im Installationspaket ist besch\xE4"
              "digt.",
              m_platform.messages[0].strText);
}

TEST_F(ArchiveWalk, AnOverlongNameIsRefusedAndShownShortened) {
    const std::string strLong(5000, 'n');
    EXPECT_EQ(2, ExtractAll(Entry(strLong, Gzip("x")) + Entry("b.txt", Gzip("b"))));
    EXPECT_EQ((std::vector<std::string>{"b.txt"}), ListFiles(m_scratch.Target()));
    ASSERT_EQ(1u, m_platform.messages.size());
    EXPECT_EQ("Der Dateiname \"" + strLong.substr(0, 260) +
                  "\" im Installationspaket ist ung\xFC"
                  "ltig.",
              m_platform.messages[0].strText);
}

TEST_F(ArchiveWalk, AZeroLengthMemberYieldsAnEmptyFileAndTheNextEntryFollows) {
    const std::string strBytes =
        Entry("empty.txt", "") + Entry("gz-empty.txt", Gzip("")) + Entry("next.txt", Gzip("next"));
    EXPECT_EQ(3, ExtractAll(strBytes));
    EXPECT_TRUE(fs::exists(m_scratch.Target() / "empty.txt"));
    EXPECT_EQ("", Extracted("empty.txt"));
    EXPECT_TRUE(fs::exists(m_scratch.Target() / "gz-empty.txt"));
    EXPECT_EQ("", Extracted("gz-empty.txt"));
    EXPECT_EQ("next", Extracted("next.txt"));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(ArchiveWalk, SeveralMembersInOneEntryDecodeIntoOneFile) {
    EXPECT_EQ(1, ExtractAll(Entry("multi.txt", Gzip("first,") + Gzip("second"))));
    EXPECT_EQ("first,second", Extracted("multi.txt"));
}

TEST_F(ArchiveWalk, BytesWithoutTheGzipMagicAreWrittenAsStored) {
    EXPECT_EQ(1, ExtractAll(Entry("plain.txt", "not compressed at all")));
    EXPECT_EQ("not compressed at all", Extracted("plain.txt"));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(ArchiveWalk, AnExistingFileIsReplaced) {
    fs::create_directories(m_scratch.Target());
    WriteFile(m_scratch.Target() / "a.txt", "old contents, longer than the new");
    ExtractAll(Entry("a.txt", Gzip("new")));
    EXPECT_EQ("new", Extracted("a.txt"));
}

TEST_F(ArchiveWalk, ProgressFollowsTheReadPosition) {
    // 300 bytes; the first entry ends at byte 100.
    const std::string strFirst = Entry("a", std::string(100 - 13, 'x'));
    const std::string strSecond = Entry("b", std::string(200 - 13 - 1, 'y'));
    std::string strBytes = strFirst + strSecond;
    ASSERT_EQ(100u, strFirst.size());
    ASSERT_EQ(299u, strBytes.size());
    strBytes += "z"; // a tail without separator: the walk reads it and ends
    EXPECT_EQ(2, ExtractAll(strBytes));
    EXPECT_EQ((std::vector<int>{33, 99}), m_progress);

    CRegisteredArchive registered(kID, strBytes);
    CPayloadArchive archive(m_platform);
    EXPECT_EQ(-1, archive.GetProgress());
    archive.Open(kID);
    EXPECT_EQ(0, archive.GetProgress());
    archive.Close();
    EXPECT_EQ(-1, archive.GetProgress());
}

TEST_F(ArchiveWalk, OpenFailsWithoutArchiveAndTheObjectStaysClosed) {
    CPayloadArchive archive(m_platform);
    EXPECT_FALSE(archive.Open(kID + 1));
    EXPECT_FALSE(archive.ExtractNext());
    EXPECT_EQ(-1, archive.GetProgress());
}

TEST_F(ArchiveWalk, CloseIsHarmlessTwiceAndEndsTheWalk) {
    CRegisteredArchive registered(kID, Entry("a", Gzip("a")));
    CPayloadArchive archive(m_platform);
    ASSERT_TRUE(archive.Open(kID));
    archive.Close();
    archive.Close();
    EXPECT_FALSE(archive.ExtractNext());
}

TEST(TargetDir, EndsInExactlyOneBackslash) {
    CRecordingPlatform platform;
    CPayloadArchive archive(platform);
    archive.SetTargetDir("E:");
    EXPECT_EQ("E:\\", archive.GetTargetDir());
    archive.SetTargetDir("E:\\");
    EXPECT_EQ("E:\\", archive.GetTargetDir());
    archive.SetTargetDir("E:\\Spiele");
    EXPECT_EQ("E:\\Spiele\\", archive.GetTargetDir());
    archive.SetTargetDir("");
    EXPECT_EQ("\\", archive.GetTargetDir());
    archive.SetTargetDir("/media/card/");
    EXPECT_EQ("\\media\\card\\", archive.GetTargetDir());
}

TEST(MemFile, ReadsWithinTheBytesOnly) {
    const unsigned char bytes[] = {1, 2, 3, 4, 5};
    CMemFile file(bytes, sizeof(bytes));
    unsigned char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_EQ(3u, file.GetPosition());
    EXPECT_EQ(2u, file.Read(buffer, 8));
    EXPECT_EQ(5, buffer[1]);
    EXPECT_EQ(0u, file.Read(buffer, 8));
    EXPECT_FALSE(file.Seek(6));
    EXPECT_TRUE(file.Seek(1));
    EXPECT_EQ(2, *file.GetCurrent());
    file.Close();
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.Read(buffer, 8));
}

// Three files below two directories (A and a are one on a case-blind card),
// a member without the gzip magic, an empty file, a name the walk refuses,
// and a cut tail that the walk does not get past.
const std::string kSpaceArchive = Entry("a\\b\\x.txt", Gzip(std::string(5000, 'x'))) +
                                  Entry("A/y.bin", "stored" + std::string(4, ' ')) +
                                  Entry("empty", Gzip("")) + Entry("..\\up", Gzip("u")) + "cut\\z";

TEST(DiskSpace, FilesTakeWholeClustersLessWhatTheyReplaceAndEachNewDirectoryOne) {
    CScratch scratch;
    CRecordingPlatform platform;
    const auto need = [&](const std::string& strBytes, std::uint64_t nCluster, bool bStaging) {
        return GetSpaceNeeded(
            {reinterpret_cast<const unsigned char*>(strBytes.data()), strBytes.size()}, nCluster,
            platform, scratch.Target().string() + "\\", bStaging);
    };
    EXPECT_EQ(need(kSpaceArchive, 4096, false), (2 + 1 + 0 + 2) * 4096u);
    EXPECT_EQ(need(kSpaceArchive, 512, false), (10 + 1 + 0 + 2) * 512u);
    EXPECT_EQ(need("", 4096, false), 0u);
    // A file where a folder goes and a folder where a file goes give nothing
    // back; the old big.bin gives its five clusters back only at the end.
    const std::string strUpdate = Entry("dir\\new.bin", Gzip(std::string(9000, 'n'))) +
                                  Entry("sub", Gzip("s")) + Entry("big.bin", Gzip("b"));
    fs::create_directories(scratch.Target() / "sub");
    WriteFile(scratch.Target() / "dir", "a file");
    WriteFile(scratch.Target() / "big.bin", std::string(20000, 'o'));
    EXPECT_EQ(need(strUpdate, 4096, false), (1 + 3 + 1) * 4096u);
    EXPECT_EQ(need(strUpdate, 4096, true), 6 * 4096u) << "each member staged in one more";
}

TEST(DiskSpace, TooLittleIsToldInMegabytesRoundedAgainstTheUser) {
    CRegisteredArchive registered(kID, kSpaceArchive);
    CRecordingPlatform platform;
    CPayloadArchive archive(platform);
    SDiskSpace space;
    EXPECT_TRUE(archive.CheckFreeSpace(space)) << "not open";
    ASSERT_TRUE(archive.Open(kID));
    archive.SetTargetDir("E:\\");
    platform.bFakeDisk = true;
    platform.nFakeCluster = 1048576 + 1;
    platform.nFakeFree = 4 * 1048576 + 3;
    EXPECT_FALSE(archive.CheckFreeSpace(space));
    EXPECT_EQ(space.nNeeded, 4 * (1048576u + 1));
    EXPECT_EQ(space.NeededMB(), 5);
    EXPECT_EQ(space.FreeMB(), 4);
    platform.nFakeFree = space.nNeeded;
    EXPECT_TRUE(archive.CheckFreeSpace(space));
    platform.nFakeCluster = 0;
    platform.nFakeFree = 0;
    EXPECT_TRUE(archive.CheckFreeSpace(space)) << "free space unknown";
}

} // namespace
