// tests/archive/PosixPlatformTest.cpp: the POSIX platform, and the fatal exit in a
// child process with its exact texts.
#include "ArchiveTestSupport.h"

#include "archive/ArchiveMapping.h"
#include "archive/CodePage1252.h"
#include "archive/posix/PosixPlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace archive_test;
using ::testing::ExitedWithCode;
using ::testing::HasSubstr;

namespace {

// The real platform with one directory error forced, so that messages and the
// fatal exit are the real ones.
class CFailingDirPlatform : public CPosixPlatform {
public:
    explicit CFailingDirPlatform(EDirError nError) : m_nError(nError) {}
    EDirError MakeDirectory(const char*) override { return m_nError; }

private:
    EDirError m_nError;
};

// The real platform on a disk that fills up at the first file named "full".
class CFullDiskPlatform : public CPosixPlatform {
public:
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override {
        const OUTPUTHANDLE hFile = CPosixPlatform::CreateOutput(pszPath, error);
        if (std::string(pszPath).find("full") != std::string::npos)
            m_hFull = hFile;
        return hFile;
    }
    BOOL WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                     EFileError& error) override {
        if (hFile != m_hFull)
            return CPosixPlatform::WriteOutput(hFile, pData, nCount, error);
        CPosixPlatform::WriteOutput(hFile, pData, nCount / 2, error);
        error = FileErrorFromErrno(ENOSPC);
        return FALSE;
    }

private:
    OUTPUTHANDLE m_hFull = INVALID_OUTPUT;
};

TEST(PosixPlatform, MapsErrnoOntoTheInstallersCases) {
    EXPECT_EQ(dirErrorDenied, CPosixPlatform::DirErrorFromErrno(EACCES));
    EXPECT_EQ(dirErrorDenied, CPosixPlatform::DirErrorFromErrno(EPERM));
    EXPECT_EQ(dirErrorWriteProtect, CPosixPlatform::DirErrorFromErrno(EROFS));
    EXPECT_EQ(dirErrorExists, CPosixPlatform::DirErrorFromErrno(EEXIST));
    EXPECT_EQ(dirErrorOther, CPosixPlatform::DirErrorFromErrno(ENOENT));
    EXPECT_EQ(fileErrorDiskFull, CPosixPlatform::FileErrorFromErrno(ENOSPC));
    EXPECT_EQ(fileErrorDeviceGone, CPosixPlatform::FileErrorFromErrno(ENODEV));
    EXPECT_EQ(fileErrorDeviceGone, CPosixPlatform::FileErrorFromErrno(ENXIO));
    EXPECT_EQ(fileErrorDeviceGone, CPosixPlatform::FileErrorFromErrno(EIO));
    EXPECT_EQ(fileErrorWriteProtect, CPosixPlatform::FileErrorFromErrno(EROFS));
    EXPECT_EQ(fileErrorOther, CPosixPlatform::FileErrorFromErrno(EACCES));
}

TEST(PosixPlatform, PrintsCodePage1252AsUtf8) {
    EXPECT_EQ("Ung\xC3\xBCltig besch\xC3\xA4"
              "digt Stra\xC3\x9F"
              "e \xE2\x82\xAC",
              Cp1252ToUtf8("Ung\xFCltig besch\xE4"
                           "digt Stra\xDF"
                           "e \x80"));
}

TEST(PosixPlatform, BackslashesSeparateFolders) {
    CScratch scratch;
    CPosixPlatform platform;
    const std::string strDir = scratch.Root().string() + "\\sub";
    EXPECT_EQ(dirErrorNone, platform.MakeDirectory(strDir.c_str()));
    EXPECT_TRUE(fs::is_directory(scratch.Root() / "sub"));
    EXPECT_EQ(dirErrorExists, platform.MakeDirectory(strDir.c_str()));
    EXPECT_TRUE(platform.PathExists(strDir.c_str()));
    EXPECT_EQ(dirErrorOther, platform.MakeDirectory((strDir + "\\a\\b").c_str()));
}

TEST(PosixPlatform, TemporaryNamesAreFreeNamesInTmp) {
    CScratch scratch;
    CPosixPlatform platform;
    const std::string strFirst = platform.GetTempName("T", "T");
    EXPECT_EQ(0u, strFirst.find(scratch.Temp().string() + "/T"));
    EXPECT_FALSE(fs::exists(strFirst));
    WriteFile(strFirst, "taken");
    EXPECT_NE(strFirst, platform.GetTempName("T", "T"));
}

TEST(PosixPlatform, AFullDeviceReportsDiskFull) {
    struct stat status;
    if (stat("/dev/full", &status) != 0 || !S_ISCHR(status.st_mode))
        GTEST_SKIP() << "no /dev/full on this machine";
    CPosixPlatform platform;
    EFileError error = fileErrorNone;
    const OUTPUTHANDLE hFile = platform.CreateOutput("/dev/full", error);
    ASSERT_NE(INVALID_OUTPUT, hFile);
    EXPECT_FALSE(platform.WriteOutput(hFile, "data", 4, error));
    EXPECT_EQ(fileErrorDiskFull, error);
    platform.CloseOutput(hFile, error);
}

TEST(PosixPlatform, AMappedArchiveFileOpensAsItsId) {
    CScratch scratch;
    WriteFile(scratch.Root() / "a.pak", Entry("a.txt", Gzip("mapped")));
    {
        CArchiveMapping mapping;
        ASSERT_TRUE(mapping.Open((scratch.Root() / "a.pak").string().c_str(), 149));
        CPayloadArchive archive;
        ASSERT_TRUE(archive.Open(149));
        archive.SetTargetDir(scratch.Target().string().c_str());
        EXPECT_TRUE(archive.ExtractNext());
        EXPECT_FALSE(archive.ExtractNext());
    }
    EXPECT_EQ("mapped", ReadFile(scratch.Target() / "a.txt"));
    CPayloadArchive archive;
    EXPECT_FALSE(archive.Open(149));
    CArchiveMapping mapping;
    EXPECT_FALSE(mapping.Open((scratch.Root() / "missing.pak").string().c_str(), 149));
}

TEST(PosixPlatformDeathTest, DirectoryFailuresPrintTheirTextsAndExit) {
    const struct {
        EDirError nError;
        const char* pszExpected;
    } cases[] = {
        {dirErrorDenied, "Fehler: Zugriff verzeigert.\n"
                         "Konnte Verzeichnis \"E:\\x\" nicht erstellen.\n"},
        {dirErrorInvalidDrive, "Fehler: Ung\xC3\xBCltiges Laufwerk.\n"
                               "Konnte Verzeichnis \"E:\\x\" nicht erstellen.\n"},
        {dirErrorWriteProtect, "Fehler: Ziel ist schreibgesch\xC3\xBCtzt.\n"
                               "Konnte Verzeichnis \"E:\\x\" nicht erstellen.\n"},
        {dirErrorOther, "Konnte Verzeichnis \"E:\\x\" nicht erstellen.\n"},
    };
    for (const auto& test : cases) {
        CFailingDirPlatform platform(test.nError);
        CPayloadArchive archive(platform);
        EXPECT_EXIT(archive.CreateDir("E:\\x"), ExitedWithCode(FATAL_EXIT_CODE),
                    ::testing::StrEq(test.pszExpected));
    }
}

TEST(PosixPlatformDeathTest, AFullDiskEndsTheWalkWithTheEntrysName) {
    CScratch scratch;
    CRegisteredArchive registered(149, Entry("a.txt", Gzip("a")) +
                                           Entry("dir\\full.txt", Gzip(std::string(5000, 'f'))) +
                                           Entry("never.txt", Gzip("never")));
    CFullDiskPlatform platform;
    CPayloadArchive archive(platform);
    ASSERT_TRUE(archive.Open(149));
    archive.SetTargetDir(scratch.Target().string().c_str());
    EXPECT_TRUE(archive.ExtractNext());
    EXPECT_EXIT(archive.ExtractNext(), ExitedWithCode(FATAL_EXIT_CODE),
                ::testing::StrEq("Konnte Datei \"dir\\full.txt\" nicht schreiben.\n"));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), ListFiles(scratch.Target()));
    EXPECT_TRUE(ListFiles(scratch.Temp()).empty());
}

} // namespace
