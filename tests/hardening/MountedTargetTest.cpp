// tests/hardening/MountedTargetTest.cpp: failing targets made real by the mounts
// fixture (read-only and full file systems, immutable files and folders), with
// the real platform: natively through errno, under Wine through the Win32
// calls and their error codes. A case whose folder the fixture could not make
// is skipped.
#include "HardeningSupport.h"

#ifdef _WIN32
#include "framework/platform/Win32Platform.h"
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace archive_test;
using namespace hardening;

namespace {

const char kWriteProtected[] = "Ziel ist schreibgesch\xFCtzt.";
const char kDenied[] = "Zugriff verzeigert.";
const char kOpenFailed[] = "Failed to open file to decompress";

// A path of the host in the form this build's file functions take.
std::string HostPath(const std::string& strPath) {
#ifdef _WIN32
    std::string strWindows = "Z:" + strPath;
    for (char& c : strWindows) {
        if (c == '/')
            c = '\\';
    }
    return strWindows;
#else
    return strPath;
#endif
}

// The fixture's folder of that name; empty when it is not in place.
std::string MountPath(const char* pszName) {
    const char* pszDir = std::getenv("HARDENING_MOUNTS");
    if (!pszDir)
        return std::string();
    std::ifstream ready(HostPath(std::string(pszDir) + "/ready"));
    for (std::string strLine; std::getline(ready, strLine);) {
        if (strLine == pszName)
            return HostPath(std::string(pszDir) + "/" + pszName);
    }
    return std::string();
}

// The engine's form of a folder: backslashes only.
std::string EnginePath(std::string strPath) {
    for (char& c : strPath) {
        if (c == '/')
            c = '\\';
    }
    return strPath;
}

void SetTmp(const std::string& strValue) {
#ifdef _WIN32
    _putenv(("TMP=" + strValue).c_str());
#else
    setenv("TMP", strValue.c_str(), 1);
#endif
}

// Bytes that do not compress, so that the member is as large as the file.
std::string Noise(std::size_t nSize) {
    std::string strData(nSize, '\0');
    unsigned nValue = 4711;
    for (char& c : strData) {
        nValue = nValue * 1664525u + 1013904223u;
        c = static_cast<char>(nValue >> 24);
    }
    return strData;
}

// The full mount as a target: under Wine drive S:, which the fixture maps onto
// it, since Wine tells free space by drive; empty when the prefix has none.
std::string CardPath() {
#ifdef _WIN32
    return GetFileAttributesA("S:\\") == INVALID_FILE_ATTRIBUTES ? "" : "S:\\";
#else
    return MountPath("full") + "/";
#endif
}

#define REQUIRE_MOUNT(strPath, pszName)                                                            \
    const std::string strPath = MountPath(pszName);                                                \
    if (strPath.empty())                                                                           \
    GTEST_SKIP() << "the mounts fixture could not make \"" << pszName << "\" here"

class MountedTargets : public ::testing::Test {
protected:
    ~MountedTargets() override {
        // The writable mounts are shared by the cases: leave them empty.
        for (const char* pszName : {"full", "inodes", "drive"}) {
            const std::string strPath = MountPath(pszName);
            if (strPath.empty())
                continue;
            for (const auto& entry : fs::directory_iterator(strPath))
                fs::remove_all(entry.path());
        }
        const std::string strRoFile = MountPath("rofile");
        if (!strRoFile.empty())
            fs::remove(fs::path(strRoFile) / "next.txt");
    }

    SWalk Walk(const std::string& strBytes, const std::string& strTarget) {
        SWalk walk = WalkArchive(strBytes, strTarget, m_platform);
        EXPECT_TRUE(m_scratch.OutsideUnchanged());
        return walk;
    }

    // The installer's check of the bytes against the target's drive.
    bool Fits(const std::string& strBytes, const std::string& strTarget, SDiskSpace& space) {
        CRegisteredArchive registered(149, strBytes);
        CPayloadArchive archive(m_platform);
        EXPECT_TRUE(archive.Open(149));
        archive.SetTargetDir(strTarget.c_str());
        return archive.CheckFreeSpace(space) != FALSE;
    }

    std::vector<std::string> Texts(const SWalk& walk) const {
        std::vector<std::string> texts;
        for (const SMessage& message : walk.messages)
            texts.push_back(message.strText);
        return texts;
    }

    CGuardedScratch m_scratch;
    CRecordingPlatform m_platform;
};

#ifndef _WIN32
TEST_F(MountedTargets, WriteProtectedMediaKeepsTheOldFileAndEndsAtTheFirstFile) {
    REQUIRE_MOUNT(strTarget, "ro");
    const SWalk walk = Walk(Entry("old.txt", Gzip("new")) + Entry("dir\\b.txt", Gzip("b")) +
                                Entry("c.txt", Gzip("c")),
                            strTarget);
    EXPECT_EQ(NotWritten("old.txt"), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::map<std::string, std::string>{{"dir/", ""}, {"old.txt", "old"}}),
              Snapshot(strTarget));
}

TEST_F(MountedTargets, WriteProtectedMediaRefusesANewDirectoryWithBothBoxes) {
    REQUIRE_MOUNT(strTarget, "ro");
    const SWalk walk =
        Walk(Entry("newdir\\x.txt", Gzip("x")) + Entry("y.txt", Gzip("y")), strTarget);
    EXPECT_EQ(std::vector<std::string>{kWriteProtected}, Texts(walk));
    EXPECT_EQ("Fehler", walk.messages.at(0).strCaption);
    EXPECT_EQ(DirFailed(EnginePath(strTarget) + "\\newdir"), walk.strFatal);
    EXPECT_EQ(2u, Snapshot(strTarget).size());
}
#else
// Wine reports a read-only file system as ERROR_ACCESS_DENIED, where Windows
// reports write-protected media as ERROR_WRITE_PROTECT (FaultCodeTest): so
// here each file is refused on its own, and a new directory is denied.
TEST_F(MountedTargets, WriteProtectedMediaUnderWineRefusesEachFileAndKeepsTheOldOne) {
    REQUIRE_MOUNT(strTarget, "ro");
    const SWalk walk = Walk(Entry("old.txt", Gzip("new")) + Entry("dir\\b.txt", Gzip("b")) +
                                Entry("c.txt", Gzip("c")),
                            strTarget);
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    EXPECT_EQ((std::vector<std::string>{kOpenFailed, kOpenFailed, kOpenFailed}), Texts(walk));
    EXPECT_EQ((std::map<std::string, std::string>{{"dir/", ""}, {"old.txt", "old"}}),
              Snapshot(strTarget));
}

TEST_F(MountedTargets, WriteProtectedMediaUnderWineDeniesANewDirectory) {
    REQUIRE_MOUNT(strTarget, "ro");
    const SWalk walk =
        Walk(Entry("newdir\\x.txt", Gzip("x")) + Entry("y.txt", Gzip("y")), strTarget);
    EXPECT_EQ(std::vector<std::string>{kDenied}, Texts(walk));
    EXPECT_EQ(DirFailed(EnginePath(strTarget) + "\\newdir"), walk.strFatal);
    EXPECT_EQ(2u, Snapshot(strTarget).size());
}
#endif

TEST_F(MountedTargets, AFullTargetRemovesThePartialFileKeepsTheOldOnesAndEnds) {
    REQUIRE_MOUNT(strTarget, "full");
    WriteFile(fs::path(strTarget) / "old.txt", "old");
    const std::string strSmall = Noise(1000);
    const SWalk walk =
        Walk(Entry("small.bin", Gzip(strSmall)) + Entry("big.bin", Gzip(Noise(400 * 1024))) +
                 Entry("after.txt", Gzip("after")),
             strTarget);
    EXPECT_EQ(NotWritten("big.bin"), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::map<std::string, std::string>{{"old.txt", "old"}, {"small.bin", strSmall}}),
              Snapshot(strTarget));
}

// The real platform's free space and cluster size, natively through statvfs
// and under Wine through GetDiskFreeSpaceA.
TEST_F(MountedTargets, AFullTargetIsSeenBeforeAnythingIsWritten) {
    REQUIRE_MOUNT(strFull, "full");
    const std::string strCard = CardPath();
    if (strCard.empty())
        GTEST_SKIP() << "no drive S: in this prefix";
    SDiskSpace space;
    EXPECT_FALSE(Fits(Entry("big.bin", Gzip(Noise(400 * 1024))), strCard + "new\\deeper", space));
    EXPECT_LE(space.nFree, 256 * 1024u);
    EXPECT_GE(space.nNeeded, 400 * 1024u);
    EXPECT_TRUE(ListFiles(strFull).empty());
}

// A card that holds the game, with 25 of its 64 clusters of 4 KiB free where
// the whole game takes 41: the files that a reinstall replaces give theirs
// back first. An update that adds 28 clusters is refused before anything is written.
TEST_F(MountedTargets, AReinstallFitsOnACardThatHoldsTheGame) {
    REQUIRE_MOUNT(strFull, "full");
    const std::string strCard = CardPath();
    if (strCard.empty())
        GTEST_SKIP() << "no drive S: in this prefix";
    const std::string strWave = Noise(60 * 1024);
    const std::string strHead = Entry("app.elf", Gzip(Noise(30 * 1024))) +
                                Entry("brimlow\\readme.txt", Gzip("Korvanu")) +
                                Entry("brimlow\\sounds\\p0001.wav", Gzip(strWave));
    const std::string strGame = strHead + Entry("brimlow\\sounds\\p0002.wav", Gzip(strWave));
    ASSERT_FALSE(Walk(strGame, strCard).bFatal);
    const std::map<std::string, std::string> installed = Snapshot(strFull);
    WriteFile(fs::path(strFull) / "brimlow/sounds/p0001.wav",
              std::string(strWave.rbegin(), strWave.rend()));
    SDiskSpace space;
    EXPECT_TRUE(Fits(strGame, strCard, space));
    EXPECT_EQ(25 * 4096u, space.nFree);
    EXPECT_EQ(0u, space.nNeeded);
    const SWalk walk = Walk(strGame, strCard);
    EXPECT_TRUE(walk.messages.empty() && !walk.bFatal) << walk.strFatal;
    EXPECT_EQ(installed, Snapshot(strFull));
    const std::string strUpdate =
        strHead + Entry("brimlow\\sounds\\p0002.wav", Gzip(Noise(170 * 1024)));
    EXPECT_FALSE(Fits(strUpdate, strCard, space));
    EXPECT_EQ(28 * 4096u, space.nNeeded);
    EXPECT_EQ(installed, Snapshot(strFull));
    SetTmp(strCard);
    EXPECT_TRUE(Fits(strGame, strCard, space));
    EXPECT_EQ(16 * 4096u, space.nNeeded) << "the largest member staged on the card";
}

TEST_F(MountedTargets, NoRoomForAnotherFileEndsWithThatFile) {
    REQUIRE_MOUNT(strTarget, "inodes");
    const SWalk walk = Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b")) +
                                Entry("c.txt", Gzip("c")) + Entry("d.txt", Gzip("d")),
                            strTarget);
    EXPECT_EQ(NotWritten("c.txt"), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::map<std::string, std::string>{{"a.txt", "a"}, {"b.txt", "b"}}),
              Snapshot(strTarget));
}

TEST_F(MountedTargets, NoRoomForAnotherDirectoryEndsWithThatDirectory) {
    REQUIRE_MOUNT(strTarget, "inodes");
    const SWalk walk =
        Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b")) + Entry("dir\\c.txt", Gzip("c")),
             strTarget);
    EXPECT_EQ(DirFailed(EnginePath(strTarget) + "\\dir"), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::map<std::string, std::string>{{"a.txt", "a"}, {"b.txt", "b"}}),
              Snapshot(strTarget));
}

TEST_F(MountedTargets, TmpOnAFullDiskEndsWithTheTemporaryFileAndLeavesNone) {
    REQUIRE_MOUNT(strTmp, "full");
    SetTmp(strTmp);
    const SWalk walk =
        Walk(Entry("small.txt", Gzip("small")) + Entry("big.bin", Gzip(Noise(400 * 1024))) +
                 Entry("after.txt", Gzip("after")),
             m_scratch.Target().string());
    ASSERT_EQ(2u, m_platform.tempNames.size());
    EXPECT_EQ(TempFailed(m_platform.tempNames[1]), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::vector<std::string>{"small.txt"}), ListFiles(m_scratch.Target()));
    EXPECT_TRUE(ListFiles(strTmp).empty());
}

TEST_F(MountedTargets, TmpOnAReadOnlyFolderLandsNoFile) {
    REQUIRE_MOUNT(strTmp, "ro");
    SetTmp(strTmp);
    const SWalk walk =
        Walk(Entry("a.txt", Gzip("a")) + Entry("b.txt", Gzip("b")), m_scratch.Target().string());
    ASSERT_FALSE(m_platform.tempNames.empty());
    EXPECT_EQ(0u, m_platform.tempNames[0].find(strTmp));
    EXPECT_TRUE(ListFiles(m_scratch.Target()).empty());
#ifdef _WIN32
    // Wine reports the read-only file system as access denied: each entry is
    // reported and skipped.
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    ASSERT_EQ(2u, m_platform.tempNames.size());
    EXPECT_EQ((std::vector<std::string>{TempFailed(m_platform.tempNames[0]),
                                        TempFailed(m_platform.tempNames[1])}),
              Texts(walk));
#else
    // Write-protected media fails for every entry: one fatal end.
    ASSERT_EQ(1u, m_platform.tempNames.size());
    EXPECT_EQ(TempFailed(m_platform.tempNames[0]), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
#endif
}

TEST_F(MountedTargets, TmpNamingAMissingFolderFallsBack) {
    // The runtime's order: TMP, then the folder "T", the root of the drive, here.
    SetTmp((m_scratch.Root() / "missing").string());
    const SWalk walk = Walk(Entry("a.txt", Gzip("a")) + Entry("dir\\b.txt", Gzip("b")),
                            m_scratch.Target().string());
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    EXPECT_EQ((std::vector<std::string>{"a.txt", "dir/b.txt"}), ListFiles(m_scratch.Target()));
    ASSERT_EQ(2u, m_platform.tempNames.size());
    for (const std::string& strTemp : m_platform.tempNames) {
        EXPECT_EQ(std::string::npos, strTemp.find("missing")) << strTemp;
        EXPECT_FALSE(fs::exists(strTemp)) << strTemp;
    }
}

TEST_F(MountedTargets, AReadOnlyFileKeepsItsContentsAndTheNextEntryLands) {
    REQUIRE_MOUNT(strTarget, "rofile");
    const SWalk walk =
        Walk(Entry("old.txt", Gzip("new")) + Entry("next.txt", Gzip("next")), strTarget);
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    ASSERT_EQ(std::vector<std::string>{kOpenFailed}, Texts(walk));
    // The caption: the temporary path immediately followed by the destination.
    ASSERT_EQ(2u, m_platform.tempNames.size());
    EXPECT_EQ(m_platform.tempNames[0] + EnginePath(strTarget) + "\\old.txt",
              walk.messages[0].strCaption);
    EXPECT_EQ((std::map<std::string, std::string>{{"next.txt", "next"}, {"old.txt", "old"}}),
              Snapshot(strTarget));
}

TEST_F(MountedTargets, ADeniedDirectoryShowsItsBoxThenEnds) {
    REQUIRE_MOUNT(strTarget, "denied");
    const SWalk walk = Walk(Entry("sub\\x.txt", Gzip("x")) + Entry("y.txt", Gzip("y")), strTarget);
    EXPECT_EQ(std::vector<std::string>{kDenied}, Texts(walk));
    EXPECT_EQ(DirFailed(EnginePath(strTarget) + "\\sub"), walk.strFatal);
    EXPECT_EQ((std::map<std::string, std::string>{{"old.txt", "old"}}), Snapshot(strTarget));
}

TEST_F(MountedTargets, FilesRefusedInADeniedFolderAreReportedOneByOne) {
    REQUIRE_MOUNT(strTarget, "denied");
    const SWalk walk = Walk(Entry("old.txt", Gzip("new")) + Entry("y.txt", Gzip("y")), strTarget);
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    EXPECT_EQ((std::vector<std::string>{kOpenFailed, kOpenFailed}), Texts(walk));
    EXPECT_EQ((std::map<std::string, std::string>{{"old.txt", "old"}}), Snapshot(strTarget));
}

TEST_F(MountedTargets, AFileWhereADirectoryIsNeededIsReportedAndKept) {
    fs::create_directories(m_scratch.Target());
    WriteFile(m_scratch.Target() / "brimlow", "a file");
    const SWalk walk =
        Walk(Entry("brimlow\\readme.txt", Gzip("readme")) + Entry("after.txt", Gzip("after")),
             m_scratch.Target().string());
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    EXPECT_EQ(std::vector<std::string>{kOpenFailed}, Texts(walk));
    EXPECT_EQ((std::map<std::string, std::string>{{"after.txt", "after"}, {"brimlow", "a file"}}),
              Snapshot(m_scratch.Target()));
}

#ifdef _WIN32
// Asks CreateDirectoryA for the bare drive, as on a drive whose root does not
// answer the existence query.
class CBareDrivePlatform : public CRecordingPlatform {
public:
    BOOL PathExists(const char* pszPath) override {
        return std::string(pszPath) != "R:" && CRecordingPlatform::PathExists(pszPath);
    }
};

TEST_F(MountedTargets, TheRootOfADriveIsATarget) {
    REQUIRE_MOUNT(strDrive, "drive");
    CBareDrivePlatform platform;
    const SWalk walk =
        WalkArchive(Entry("app.elf", Gzip("app")) + Entry("brimlow\\readme.txt", Gzip("readme")),
                    "R:", platform);
    EXPECT_FALSE(walk.bFatal) << walk.strFatal;
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ((std::vector<std::string>{"R:", "R:\\brimlow"}), platform.madeDirs);
    // Windows answers access denied for the bare drive, Wine that it exists:
    // the engine takes both as success.
    CWin32Platform win32;
    const EDirError nAnswer = win32.MakeDirectory("R:");
    EXPECT_TRUE(nAnswer == dirErrorDenied || nAnswer == dirErrorExists) << nAnswer;
    EXPECT_EQ((std::map<std::string, std::string>{
                  {"app.elf", "app"}, {"brimlow/", ""}, {"brimlow/readme.txt", "readme"}}),
              Snapshot(strDrive));
    EXPECT_TRUE(m_scratch.OutsideUnchanged());
}
#endif

} // namespace
