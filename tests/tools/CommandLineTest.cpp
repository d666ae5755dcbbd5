// tests/tools/CommandLineTest.cpp: the payload program's commands, messages and
// exit codes on hand-made trees and damaged archives.
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tool_test;
namespace fs = std::filesystem;

namespace {

class CommandLine : public ::testing::Test {
protected:
    std::string Path(const std::string& strName) const { return Quoted(m_scratch / strName); }

    SRun Verify(const std::string& strArchive) {
        WriteFile(m_scratch / "x.pak", strArchive);
        return RunPayload("verify -q " + Path("x.pak"));
    }

    CScratch m_scratch;
};

} // namespace

TEST_F(CommandLine, HelpListsCommandsAndExitCodes) {
    SRun run = RunPayload("--help");
    EXPECT_EQ(run.nExit, 0);
    for (const char* pszPart : {"pack DIR ARCHIVE", "list ARCHIVE", "verify ARCHIVE",
                                "extract ARCHIVE DIR", "demo ARCHIVE", "Exit codes"})
        EXPECT_TRUE(Has(run.strOut, pszPart)) << pszPart;
}

TEST_F(CommandLine, WrongUseExitsWithTwo) {
    for (const char* pszArguments :
         {"", "unpack x", "list", "list a b", "verify --bogus x", "list --small x", "demo"}) {
        SRun run = RunPayload(pszArguments);
        EXPECT_EQ(run.nExit, 2) << pszArguments;
        EXPECT_NE(run.strErr, "") << pszArguments;
    }
}

TEST_F(CommandLine, UnreadableInputExitsWithFourAndNamesIt) {
    for (const std::string& strArguments :
         {"list " + Path("missing.pak"), "verify " + Path("missing.pak"),
          "extract " + Path("missing.pak") + " " + Path("out")}) {
        SRun run = RunPayload(strArguments);
        EXPECT_EQ(run.nExit, 4) << strArguments;
        EXPECT_TRUE(Has(run.strErr, "missing.pak")) << run.strErr;
    }
    fs::create_directories(m_scratch / "dir");
    EXPECT_EQ(RunPayload("verify " + Path("dir")).nExit, 4);
    SRun run = RunPayload("pack " + Path("missing") + " " + Path("p.pak"));
    EXPECT_EQ(run.nExit, 4);
    EXPECT_TRUE(Has(run.strErr, "not a directory"));
}

// In code page 1252 z with caron (0x9E) comes before e acute (0xE9); in UTF-8 after it.
TEST_F(CommandLine, PackStoresNamesInByteOrderOfCodePage1252WithBackslashes) {
    WriteFile(m_scratch / "in/a_b.txt", "3");
    WriteFile(m_scratch / "in/a/x.txt", "2");
    WriteFile(m_scratch / "in/a.txt", "1");
    WriteFile(m_scratch / "in/B.txt", "0");
    WriteFile(m_scratch / "in/\xC3\xA9.txt", "5");
    WriteFile(m_scratch / "in/\xC5\xBE.txt", "4");
    SRun run = RunPayload("pack " + Path("in") + " " + Path("p.pak"));
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_TRUE(Has(run.strOut, "a\\x.txt"));
    EXPECT_TRUE(Has(run.strOut, "pack: 6 files, 6 bytes"));
    EXPECT_TRUE(Has(ReadFile(m_scratch / "p.pak"), "\x9E.txt \\~#$&*")); // stored in 1252
    run = RunPayload("list " + Path("p.pak"));
    ASSERT_EQ(run.nExit, 0);
    std::size_t nAt[] = {run.strOut.find("B.txt"),        run.strOut.find("a.txt"),
                         run.strOut.find("a\\x.txt"),     run.strOut.find("a_b.txt"),
                         run.strOut.find("\xC5\xBE.txt"), run.strOut.find("\xC3\xA9.txt")};
    for (int i = 0; i < 5; ++i)
        EXPECT_LT(nAt[i], nAt[i + 1]) << run.strOut;
    // Columns line up by characters: the same rest of the line as a name of five letters.
    auto rest = [&](const std::string& strName) {
        std::size_t n = run.strOut.find(strName) + strName.size();
        return run.strOut.substr(n, run.strOut.find('\n', n) - n);
    };
    EXPECT_EQ(rest("\xC3\xA9.txt"), rest("B.txt"));
}

TEST_F(CommandLine, PackMakesMembersOfTheShippedForm) {
    WriteFile(m_scratch / "in/f.txt", "Korvanu");
    ASSERT_EQ(RunPayload("pack -q " + Path("in") + " " + Path("p.pak")).nExit, 0);
    std::string strArchive = ReadFile(m_scratch / "p.pak");
    std::string strHeader("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x0B", 10);
    ASSERT_GT(strArchive.size(), 17u + 10u);
    EXPECT_EQ(strArchive.substr(0, 13), "f.txt \\~#$&* ");
    EXPECT_EQ(strArchive.substr(17, 10), strHeader);
    EXPECT_EQ(static_cast<unsigned char>(strArchive[13]) + 17u, strArchive.size());
}

TEST_F(CommandLine, PackDoesNotPackItsOwnArchive) {
    WriteFile(m_scratch / "in/f.txt", "x");
    ASSERT_EQ(RunPayload("pack -q " + Path("in") + " " + Path("in/p.pak")).nExit, 0);
    SRun run = RunPayload("pack " + Path("in") + " " + Path("in/p.pak"));
    ASSERT_EQ(run.nExit, 0);
    EXPECT_TRUE(Has(run.strOut, "pack: 1 files"));
}

TEST_F(CommandLine, PackRefusesNamesTheInstallerWouldRefuseOrCannotHold) {
    const char* const cases[][2] = {
        {"con.txt", "\"con.txt\": name the installer refuses"},
        {"blank ", "\"blank \": name the installer refuses"},
        {"dot.", "\"dot.\": name the installer refuses"},
        {"x:y.txt", "\"x:y.txt\": name the installer refuses"},
        {"back\\slash.txt", "\"back\\slash.txt\": backslash in a file name"},
        {"\xC5\x82\xC3\xB3w.txt",
         "\"\xC5\x82\xC3\xB3w.txt\": U+0142 \"\xC5\x82\" is not in code page 1252"},
        {"m\xFC.txt", "\"m\\xFC.txt\": not UTF-8"},
    };
    for (const auto& c : cases) {
        CScratch scratch;
        WriteFile(scratch / "in/good.txt", "fine");
        WriteFile(scratch / ("in/" + std::string(c[0])), "bad");
        SRun run = RunPayload("pack " + Quoted(scratch / "in") + " " + Quoted(scratch / "p.pak"));
        EXPECT_EQ(run.nExit, 1) << c[0];
        EXPECT_TRUE(Has(run.strErr, "refused " + std::string(c[1]))) << run.strErr;
        EXPECT_TRUE(Has(run.strErr, "nothing written"));
        EXPECT_FALSE(fs::exists(scratch / "p.pak")) << c[0];
    }
}

TEST_F(CommandLine, PackRefusesNamesThatMeetOnACaseBlindCard) {
    WriteFile(m_scratch / "in/Sound.wav", "1");
    WriteFile(m_scratch / "in/sound.wav", "2");
    WriteFile(m_scratch / "in/f\xC3\xBCr.txt", "3");
    WriteFile(m_scratch / "in/F\xC3\x9CR.txt", "4");
    SRun run = RunPayload("pack " + Path("in") + " " + Path("p.pak"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(Has(run.strErr, "ignoring case"));
    EXPECT_TRUE(Has(run.strErr, "\"f\xC3\xBCr.txt\": name used twice")) << run.strErr;
}

TEST_F(CommandLine, PackSkipsWhatIsNotARegularFile) {
    WriteFile(m_scratch / "in/f.txt", "x");
    fs::create_symlink(m_scratch / "in/f.txt", m_scratch / "in/link.txt");
    SRun run = RunPayload("pack " + Path("in") + " " + Path("p.pak"));
    EXPECT_EQ(run.nExit, 0);
    EXPECT_TRUE(Has(run.strErr, "link.txt: skipped"));
    EXPECT_TRUE(Has(run.strOut, "pack: 1 files"));
}

TEST_F(CommandLine, ListShowsNameMemberSizeAndState) {
    std::string strMember = Gzip("hello");
    WriteFile(m_scratch / "x.pak", Entry("d\\a.txt", strMember));
    SRun run = RunPayload("list " + Path("x.pak"));
    EXPECT_EQ(run.nExit, 0);
    EXPECT_TRUE(Has(run.strOut, "d\\a.txt")) << run.strOut;
    EXPECT_TRUE(Has(run.strOut, " " + std::to_string(strMember.size()) + " ")) << run.strOut;
    EXPECT_TRUE(Has(run.strOut, " 5  ok")) << run.strOut;
}

TEST_F(CommandLine, VerifyFindsBrokenFramingMembersAndNames) {
    std::string strGood = Entry("a.txt", Gzip("hello"));
    std::string strFlipped = Gzip("hello");
    strFlipped[strFlipped.size() - 8] ^= 0x40;
    struct {
        std::string strArchive;
        const char* pszFault;
    } cases[] = {
        {strGood + Entry("b.txt", Gzip("world")).substr(0, 25), "runs past the end"},
        {strGood + "trailing garbage", "16 trailing bytes"},
        {Entry("a.txt", strFlipped), "CRC mismatch"},
        {strGood + Entry("A.TXT", Gzip("x")), "ignoring case"},
        {Entry("..\\up.txt", Gzip("x")), "refuses"},
        {Entry("raw.txt", "not compressed"), "not gzip"},
    };
    for (const auto& c : cases) {
        SRun run = Verify(c.strArchive);
        EXPECT_EQ(run.nExit, 1) << c.pszFault;
        EXPECT_TRUE(Has(run.strOut, c.pszFault)) << run.strOut;
        EXPECT_TRUE(Has(run.strOut, "1 fault\n")) << run.strOut;
    }
    SRun run = Verify(strGood);
    EXPECT_EQ(run.nExit, 0);
    EXPECT_TRUE(Has(run.strOut, "verify: 1 entries, 5 bytes decoded")) << run.strOut;
    EXPECT_TRUE(Has(run.strOut, "clean"));
    EXPECT_EQ(Verify("").nExit, 0);
}
