// tests/archive/DirectoryTest.cpp: which directories are made, in which order, and
// how each failure of the system ends.
#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

using namespace archive_test;

namespace {

class Directories : public ::testing::Test {
protected:
    Directories() : m_archive(m_platform) { m_platform.bDryDirectories = true; }

    // The fatal text, or "" when CreateDir returned.
    std::string FatalTextOf(const char* pszDirectory) {
        try {
            EXPECT_TRUE(m_archive.CreateDir(pszDirectory));
        } catch (const SFatalExit& exit) {
            return exit.what();
        }
        return std::string();
    }

    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const SMessage& message : m_platform.messages) {
            EXPECT_EQ("Fehler", message.strCaption);
            texts.push_back(message.strText);
        }
        return texts;
    }

    CRecordingPlatform m_platform;
    CPayloadArchive m_archive;
};

TEST_F(Directories, MadeFromTheOutermostAfterTheDrive) {
    m_archive.CreateDirsForPath("E:\\brimlow\\sounds\\de\\p0445.wav");
    EXPECT_EQ(
        (std::vector<std::string>{"E:\\brimlow", "E:\\brimlow\\sounds", "E:\\brimlow\\sounds\\de"}),
        m_platform.madeDirs);
}

TEST_F(Directories, AllLevelsOfANestedTargetAreEnsured) {
    m_archive.CreateDirsForPath("C:\\Spiele\\Korvanu\\menu\\a.txt");
    EXPECT_EQ((std::vector<std::string>{"C:\\Spiele", "C:\\Spiele\\Korvanu",
                                        "C:\\Spiele\\Korvanu\\menu"}),
              m_platform.madeDirs);
}

TEST_F(Directories, ARootEntryEnsuresTheBareDriveAndDeniedThereIsSuccess) {
    m_platform.strDirFaultPattern = "E:";
    m_platform.nDirFault = dirErrorDenied;
    EXPECT_TRUE(m_archive.CreateDirsForPath("E:\\app.elf"));
    EXPECT_EQ((std::vector<std::string>{"E:"}), m_platform.madeDirs);
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ("", FatalTextOf("e:"));
}

TEST_F(Directories, OnAShareTheServerAndTheShareAreNotMade) {
    m_archive.CreateDirsForPath("\\\\srv\\spiele\\menu\\de\\a.txt");
    m_archive.CreateDirsForPath("\\\\srv\\spiele\\app.elf");
    EXPECT_EQ((std::vector<std::string>{"\\\\srv\\spiele\\menu", "\\\\srv\\spiele\\menu\\de"}),
              m_platform.madeDirs);
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(Directories, APathWithoutBackslashOrAtTheRootMakesNothing) {
    EXPECT_TRUE(m_archive.CreateDirsForPath("app.elf"));
    EXPECT_TRUE(m_archive.CreateDirsForPath("\\app.elf"));
    EXPECT_TRUE(m_platform.madeDirs.empty());
}

TEST_F(Directories, ExistingOnesAreLeftAloneEvenWhenTheyAreFiles) {
    m_platform.dryExisting = {"E:\\brimlow", "E:\\brimlow\\sounds"};
    m_archive.CreateDirsForPath("E:\\brimlow\\sounds\\de\\p.wav");
    EXPECT_EQ((std::vector<std::string>{"E:\\brimlow\\sounds\\de"}), m_platform.madeDirs);
    m_archive.CreateDirsForPath("E:\\brimlow\\sounds\\de\\q.wav");
    EXPECT_EQ(1u, m_platform.madeDirs.size());
}

TEST_F(Directories, AlreadyExistingIsSuccess) {
    m_platform.strDirFaultPattern = "x";
    m_platform.nDirFault = dirErrorExists;
    EXPECT_EQ("", FatalTextOf("E:\\x"));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(Directories, EachFailureShowsItsTextThenEndsWithTheDirectory) {
    struct {
        EDirError nError;
        const char* pszBox;
    } const cases[] = {
        {dirErrorDenied, "Zugriff verzeigert."},
        {dirErrorInvalidDrive, "Ung\xFCltiges Laufwerk."},
        {dirErrorWriteProtect, "Ziel ist schreibgesch\xFCtzt."},
        {dirErrorOther, nullptr},
    };
    for (const auto& test : cases) {
        m_platform.messages.clear();
        m_platform.strDirFaultPattern = "E:\\x";
        m_platform.nDirFault = test.nError;
        EXPECT_EQ("Konnte Verzeichnis \"E:\\x\\y\" nicht erstellen.", FatalTextOf("E:\\x\\y"));
        if (test.pszBox)
            EXPECT_EQ(std::vector<std::string>{test.pszBox}, Boxes());
        else
            EXPECT_TRUE(m_platform.messages.empty());
    }
}

TEST_F(Directories, DeniedIsFatalForAnythingButALetterAndColon) {
    m_platform.strDirFaultPattern = ":";
    m_platform.nDirFault = dirErrorDenied;
    for (const char* pszPath : {"1:", "E:x", "EE:", "::"}) {
        m_platform.messages.clear();
        EXPECT_NE("", FatalTextOf(pszPath)) << pszPath;
        EXPECT_EQ(std::vector<std::string>{"Zugriff verzeigert."}, Boxes());
    }
}

TEST_F(Directories, TheFirstFailureEndsTheWalkOverTheLevels) {
    m_platform.strDirFaultPattern = "sounds";
    m_platform.nDirFault = dirErrorWriteProtect;
    EXPECT_THROW(m_archive.CreateDirsForPath("E:\\brimlow\\sounds\\de\\p.wav"), SFatalExit);
    EXPECT_EQ((std::vector<std::string>{"E:\\brimlow", "E:\\brimlow\\sounds"}),
              m_platform.madeDirs);
}

} // namespace
