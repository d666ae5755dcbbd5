// tests/archive/ExtractFaultTest.cpp: damaged archives and failing targets. Nothing
// partial is left, nothing lands outside the target, temporary files go away.
#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace archive_test;

namespace {

const UINT kFaultID = 815;

class ExtractFaults : public ::testing::Test {
protected:
    // Runs the walk like the install worker; returns the results of ExtractNext
    // up to the first FALSE, or stops at a fatal exit and returns its text.
    std::vector<int> Walk(const std::string& strBytes, std::string* pstrFatal = nullptr) {
        CRegisteredArchive registered(kFaultID, strBytes);
        CPayloadArchive archive(m_platform);
        EXPECT_TRUE(archive.Open(kFaultID));
        archive.SetTargetDir(m_scratch.Target().string().c_str());
        std::vector<int> results;
        try {
            while (archive.ExtractNext())
                results.push_back(archive.GetProgress());
        } catch (const SFatalExit& exit) {
            EXPECT_TRUE(pstrFatal) << exit.what();
            if (pstrFatal)
                *pstrFatal = exit.what();
        }
        return results;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const SMessage& message : m_platform.messages)
            texts.push_back(message.strText);
        return texts;
    }

    void ExpectNoTemporaryFiles() const { EXPECT_TRUE(ListFiles(m_scratch.Temp()).empty()); }

    std::string Target(const std::string& strName) const {
        return (m_scratch.Target() / strName).string();
    }

    CScratch m_scratch;
    CRecordingPlatform m_platform;
};

TEST_F(ExtractFaults, AMemberPastTheEndIsReportedAndEndsTheWalk) {
    std::string strBytes = Entry("a.txt", Gzip("aaa")) + Entry("b.txt", Gzip("bbbb"));
    strBytes.resize(strBytes.size() - 5);
    EXPECT_EQ(1u, Walk(strBytes).size());
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(m_scratch.Target()));
    EXPECT_EQ(std::vector<std::string>{Damaged("b.txt")}, Texts());
    EXPECT_EQ("Fehler", m_platform.messages[0].strCaption);
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, AShortLengthFieldIsReportedAndEndsTheWalk) {
    const std::string strBytes = Entry("a.txt", Gzip("aaa")) + "c.txt \\~#$&* \x01";
    EXPECT_EQ(1u, Walk(strBytes).size());
    EXPECT_EQ(std::vector<std::string>{Damaged("c.txt")}, Texts());
    EXPECT_FALSE(fs::exists(Target("c.txt")));
}

TEST_F(ExtractFaults, AHugeLengthDoesNotHangOrWrite) {
    std::string strBytes = Entry("big.bin", "xy");
    strBytes[strBytes.size() - 3] = '\xFF'; // length 0xFF000002
    EXPECT_TRUE(Walk(strBytes).empty());
    EXPECT_EQ(std::vector<std::string>{Damaged("big.bin")}, Texts());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
}

TEST_F(ExtractFaults, ATemporaryFileThatCannotBeCreatedSkipsTheEntryAndGoesOn) {
    m_platform.strCreateFaultPattern = m_scratch.Temp().string();
    EXPECT_EQ(2u, Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b"))).size());
    ASSERT_EQ(2u, m_platform.tempNames.size());
    EXPECT_EQ((std::vector<std::string>{TempFailed(m_platform.tempNames[0]),
                                        TempFailed(m_platform.tempNames[1])}),
              Texts());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
}

// Names that another program takes between the look-up and the create give
// way to the next ones, up to 100; only a taken name is tried again.
TEST_F(ExtractFaults, ATemporaryNameTakenMeanwhileGivesWayToTheNextOne) {
    int nToTake = 2;
    m_platform.afterTempName = [&](const std::string& strName) {
        if (nToTake-- > 0)
            WriteFile(strName, "someone else's");
    };
    EXPECT_EQ(1u, Walk(Entry("a.txt", Gzip("a"))).size());
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ("a", ReadFile(Target("a.txt")));
    ASSERT_EQ(3u, m_platform.tempNames.size());
    EXPECT_EQ("someone else's", ReadFile(m_platform.tempNames[1]));
    nToTake = 1000;
    Walk(Entry("b.txt", Gzip("b")));
    EXPECT_EQ(std::vector<std::string>{TempFailed(m_platform.tempNames.back())}, Texts());
    EXPECT_EQ(3u + 100u, m_platform.tempNames.size());
    m_platform.afterTempName = [&](const std::string&) { fs::remove_all(m_scratch.Temp()); };
    Walk(Entry("c.txt", Gzip("c")));
    EXPECT_EQ(TempFailed(m_platform.tempNames.back()), Texts().back()) << "the folder went";
    EXPECT_EQ(3u + 100u + 1u, m_platform.tempNames.size());
}

TEST_F(ExtractFaults, NoTemporaryNameSkipsTheEntry) {
    m_platform.bNoTempName = true;
    EXPECT_EQ(1u, Walk(Entry("a.txt", Gzip("a"))).size());
    EXPECT_EQ(std::vector<std::string>{TempFailed("")}, Texts());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
}

TEST_F(ExtractFaults, ATemporaryFileThatCannotBeReadLeavesNoFileAndGoesOn) {
    m_platform.strInputFaultPattern = m_scratch.Temp().string();
    EXPECT_EQ(2u, Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b"))).size());
    EXPECT_EQ(2u, m_platform.tempNames.size());
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, AFailedStagingWriteRemovesTheTemporaryFileAndGoesOn) {
    m_platform.strWriteFaultPattern = m_scratch.Temp().string();
    m_platform.strCloseFaultPattern = m_scratch.Temp().string();
    EXPECT_EQ(
        2u, Walk(Entry("b.txt", Gzip(std::string(3000, 'b'))) + Entry("c.txt", Gzip("c"))).size());
    EXPECT_EQ(2u, m_platform.messages.size());
    EXPECT_EQ(TempFailed(m_platform.tempNames.back()), Texts().back());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, ALastingStagingFailureEndsTheProcessOnce) {
    // A full, write-protected or vanished disk would fail for every later entry.
    for (EFileError lasting : {fileErrorDiskFull, fileErrorWriteProtect, fileErrorDeviceGone}) {
        m_platform.messages.clear();
        m_platform.strCreateFaultPattern.clear();
        m_platform.strWriteFaultPattern = m_scratch.Temp().string();
        m_platform.nWriteFault = lasting;
        std::string strFatal;
        EXPECT_TRUE(Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b")), &strFatal).empty());
        EXPECT_EQ(TempFailed(m_platform.tempNames.back()), strFatal);
        EXPECT_TRUE(m_platform.messages.empty());
        EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
        ExpectNoTemporaryFiles();
    }
}

TEST_F(ExtractFaults, BytesAfterTheLastGzipMemberAreDamage) {
    // A length that claims the next entry too: without the check the first
    // entry would land and the second vanish without a word.
    const std::string strSecond = Entry("b.txt", Gzip("bbb"));
    std::string strFirst = Entry("a.txt", Gzip("aaa") + strSecond);
    EXPECT_EQ(1u, Walk(strFirst).size());
    EXPECT_EQ(std::vector<std::string>{Damaged("a.txt")}, Texts());
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, DamagedMembersLeaveNoFileAndKeepAnOldOne) {
    std::string strCrc = Gzip("the contents");
    strCrc[strCrc.size() - 8] ^= 1; // CRC-32
    std::string strSize = Gzip("the contents");
    strSize[strSize.size() - 4] ^= 1; // ISIZE
    const std::string strFull = Gzip(std::string(5000, 'q') + "tail");
    const std::string strTruncated = strFull.substr(0, strFull.size() / 2);
    fs::create_directories(m_scratch.Target());
    WriteFile(Target("old.txt"), "old");

    EXPECT_EQ(5u, Walk(Entry("crc.txt", strCrc) + Entry("size.txt", strSize) +
                       Entry("cut.txt", strTruncated) + Entry("old.txt", strCrc) +
                       Entry("fine.txt", Gzip("fine")))
                      .size());
    EXPECT_EQ((std::vector<std::string>{Damaged("crc.txt"), Damaged("size.txt"), Damaged("cut.txt"),
                                        Damaged("old.txt")}),
              Texts());
    EXPECT_EQ((std::vector<std::string>{"fine.txt", "old.txt"}), ListFiles(m_scratch.Target()));
    EXPECT_EQ("old", ReadFile(Target("old.txt")));
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, UnsafeNamesWriteNothingAnywhere) {
    const char* const names[] = {"..\\evil.txt", "a\\..\\..\\evil.txt", "../evil.txt",
                                 "\\evil.txt",   "C:\\evil.txt",        "nul.txt",
                                 "a\\\\b.txt"};
    std::string strBytes;
    for (const char* pszName : names)
        strBytes += Entry(pszName, Gzip("evil"));
    strBytes += Entry("good.txt", Gzip("good"));
    fs::create_directories(m_scratch.Target());
    EXPECT_EQ(8u, Walk(strBytes).size());
    ASSERT_EQ(7u, m_platform.messages.size());
    EXPECT_EQ("Der Dateiname \"..\\evil.txt\" im Installationspaket ist ung\xFC"
              "ltig.",
              m_platform.messages[0].strText);
    EXPECT_EQ((std::vector<std::string>{"target/good.txt"}), ListFiles(m_scratch.Root()));
    EXPECT_TRUE(m_platform.madeDirs.empty());
}

TEST_F(ExtractFaults, AReadOnlyDestinationKeepsItsFileAndTheNextEntryLands) {
    fs::create_directories(m_scratch.Target());
    WriteFile(Target("ro.txt"), "old");
    m_platform.strCreateFaultPattern = "ro.txt";
    m_platform.nCreateFault = fileErrorOther;
    EXPECT_EQ(2u, Walk(Entry("ro.txt", Gzip("new")) + Entry("next.txt", Gzip("next"))).size());
    ASSERT_EQ(1u, m_platform.messages.size());
    EXPECT_EQ("Failed to open file to decompress", m_platform.messages[0].strText);
    // The caption is the temporary path immediately followed by the destination.
    const std::string strCaption = m_platform.messages[0].strCaption;
    EXPECT_EQ(0u, strCaption.find(m_platform.tempNames[0]));
    EXPECT_NE(std::string::npos, strCaption.find("ro.txt"));
    EXPECT_EQ("old", ReadFile(Target("ro.txt")));
    EXPECT_EQ("next", ReadFile(Target("next.txt")));
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, AnyOtherWriteFailureRemovesThePartialFileAndGoesOn) {
    m_platform.strWriteFaultPattern = "a.txt";
    m_platform.strCloseFaultPattern = "b.txt";
    const std::string strBig(100000, 'z');
    EXPECT_EQ(3u, Walk(Entry("a.txt", Gzip(strBig)) + Entry("b.txt", Gzip(strBig)) +
                       Entry("c.txt", Gzip("c")))
                      .size());
    EXPECT_EQ((std::vector<std::string>{NotWritten("a.txt"), NotWritten("b.txt")}), Texts());
    EXPECT_EQ((std::vector<std::string>{"c.txt"}), ListFiles(m_scratch.Target()));
    ExpectNoTemporaryFiles();
}

TEST_F(ExtractFaults, LastingWriteFailuresEndTheProcessWithoutBoxes) {
    const struct {
        std::string* pstrPattern;
        EFileError* pnError;
    } sites[] = {
        {&m_platform.strWriteFaultPattern, &m_platform.nWriteFault},
        {&m_platform.strCloseFaultPattern, &m_platform.nCloseFault},
        {&m_platform.strCreateFaultPattern, &m_platform.nCreateFault},
    };
    for (const EFileError nError :
         {fileErrorDiskFull, fileErrorDeviceGone, fileErrorWriteProtect}) {
        for (const auto& site : sites) {
            m_platform.strWriteFaultPattern.clear();
            m_platform.strCloseFaultPattern.clear();
            m_platform.strCreateFaultPattern.clear();
            m_platform.messages.clear();
            *site.pstrPattern = "dir\\b.txt";
            *site.pnError = nError;
            std::string strFatal;
            const std::string strBytes = Entry("a.txt", Gzip("a")) +
                                         Entry("dir\\b.txt", Gzip(std::string(3000, 'b'))) +
                                         Entry("c.txt", Gzip("c"));
            EXPECT_EQ(1u, Walk(strBytes, &strFatal).size());
            EXPECT_EQ(NotWritten("dir\\b.txt"), strFatal);
            EXPECT_TRUE(m_platform.messages.empty());
            EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(m_scratch.Target()));
            ExpectNoTemporaryFiles();
            fs::remove_all(m_scratch.Target());
        }
    }
}

} // namespace
