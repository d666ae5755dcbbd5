// tests/hardening/FaultCodeTest.cpp: the card pulled out mid-install, a
// write-protected card as Windows reports it, and the bare drive refusing
// CreateDirectoryA. None of them can be staged for real here (Wine reports a
// read-only file system as access denied), so the platform fails with the
// system's own error codes (Win32 codes under Wine, errno natively), mapped by
// the platform of the build as the real calls' are.
#include "HardeningSupport.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/platform/Win32Platform.h"
#else
#include "archive/posix/PosixPlatform.h"

#include <cerrno>
#endif

#include <gtest/gtest.h>

using namespace archive_test;
using namespace hardening;

namespace {

#ifdef _WIN32
const unsigned long kGoneCodes[] = {ERROR_NOT_READY, ERROR_DEV_NOT_EXIST};
const unsigned long kDeniedCode = ERROR_ACCESS_DENIED;
const unsigned long kWriteProtectCode = ERROR_WRITE_PROTECT;
EFileError FileError(unsigned long nCode) {
    return CWin32Platform::FileErrorFromCode(nCode);
}
EDirError DirError(unsigned long nCode) {
    return CWin32Platform::DirErrorFromCode(nCode);
}
#else
const unsigned long kGoneCodes[] = {ENODEV, ENXIO, EIO};
const unsigned long kDeniedCode = EACCES;
const unsigned long kWriteProtectCode = EROFS;
EFileError FileError(unsigned long nCode) {
    return CPosixPlatform::FileErrorFromErrno(static_cast<int>(nCode));
}
EDirError DirError(unsigned long nCode) {
    return CPosixPlatform::DirErrorFromErrno(static_cast<int>(nCode));
}
#endif

// Three entries; the device goes away while the second one is handled.
const char kSecond[] = "brimlow\\sounds\\b.wav";

std::string ThreeEntries() {
    return Entry("a.txt", Gzip("a")) + Entry(kSecond, Gzip(std::string(20000, 'b'))) +
           Entry("c.txt", Gzip("c"));
}

class DeviceGone : public ::testing::TestWithParam<unsigned long> {
protected:
    SWalk Walk() {
        SWalk walk = WalkArchive(ThreeEntries(), m_scratch.Target(), m_platform);
        EXPECT_TRUE(walk.bFatal);
        EXPECT_TRUE(walk.messages.empty()) << "no box before the fatal one";
        EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(m_scratch.Target()));
        EXPECT_TRUE(m_scratch.OutsideUnchanged());
        return walk;
    }

    CGuardedScratch m_scratch;
    CRecordingPlatform m_platform;
};

TEST_P(DeviceGone, WhileAFileIsWritten) {
    m_platform.strWriteFaultPattern = "b.wav";
    m_platform.nWriteFault = FileError(GetParam());
    EXPECT_EQ(NotWritten(kSecond), Walk().strFatal);
}

TEST_P(DeviceGone, WhenAFileIsCreated) {
    m_platform.strCreateFaultPattern = "b.wav";
    m_platform.nCreateFault = FileError(GetParam());
    EXPECT_EQ(NotWritten(kSecond), Walk().strFatal);
}

TEST_P(DeviceGone, WhileTheFileIsClosed) {
    m_platform.strCloseFaultPattern = "b.wav";
    m_platform.nCloseFault = FileError(GetParam());
    EXPECT_EQ(NotWritten(kSecond), Walk().strFatal);
}

TEST_P(DeviceGone, WhenADirectoryIsMade) {
    m_platform.strDirFaultPattern = "sounds";
    m_platform.nDirFault = DirError(GetParam());
    const std::string strTarget = m_scratch.Target().string();
    std::string strDir = strTarget + "\\brimlow\\sounds";
    for (char& c : strDir) {
        if (c == '/')
            c = '\\';
    }
    EXPECT_EQ(DirFailed(strDir), Walk().strFatal);
}

INSTANTIATE_TEST_SUITE_P(Codes, DeviceGone, ::testing::ValuesIn(kGoneCodes));

TEST(WriteProtectCode, ANewDirectoryShowsItsBoxThenTheFatalText) {
    CGuardedScratch scratch;
    CRecordingPlatform platform;
    platform.strDirFaultPattern = "brimlow";
    platform.nDirFault = DirError(kWriteProtectCode);
    const SWalk walk = WalkArchive(ThreeEntries(), scratch.Target(), platform);
    ASSERT_EQ(1u, walk.messages.size());
    EXPECT_EQ("Ziel ist schreibgesch\xFCtzt.", walk.messages[0].strText);
    EXPECT_EQ("Fehler", walk.messages[0].strCaption);
    EXPECT_NE(std::string::npos, walk.strFatal.find("brimlow\" nicht erstellen."));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(scratch.Target()));
    EXPECT_TRUE(scratch.OutsideUnchanged());
}

TEST(WriteProtectCode, AFileEndsTheWalkWithoutABoxAndKeepsTheOldOne) {
    CGuardedScratch scratch;
    WriteFile(scratch.Target() / "c.txt", "old");
    CRecordingPlatform platform;
    platform.strCreateFaultPattern = "c.txt";
    platform.nCreateFault = FileError(kWriteProtectCode);
    const SWalk walk = WalkArchive(ThreeEntries(), scratch.Target(), platform);
    EXPECT_EQ(NotWritten("c.txt"), walk.strFatal);
    EXPECT_TRUE(walk.messages.empty());
    EXPECT_EQ("old", ReadFile(scratch.Target() / "c.txt"));
    EXPECT_TRUE(scratch.OutsideUnchanged());
}

TEST(DriveRoot, DeniedOnTheBareDriveCountsAsSuccess) {
    CRecordingPlatform platform;
    platform.bDryDirectories = true;
    platform.strDirFaultPattern = "E:";
    platform.nDirFault = DirError(kDeniedCode);
    CPayloadArchive archive(platform);
    archive.SetTargetDir("E:");
    EXPECT_TRUE(archive.CreateDirsForPath("E:\\app.elf"));
    EXPECT_EQ((std::vector<std::string>{"E:"}), platform.madeDirs);
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
