// tests/archive/Win32PlatformTest.cpp: the Win32 platform with a real resource, and
// the fatal exit of a child process as the user sees it.
#include <windows.h>

#include "ArchiveTestSupport.h"

#include "archive/ArchivFormat.h"
#include "framework/platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace archive_test;

namespace {

// The child process: a directory that cannot be made, reported in windows or,
// with "console", on stderr. The variable names the failure: "denied", "drive"
// (invalid drive) or "console" (denied).
const char kChildVariable[] = "ARCHIVE_TEST_FATAL_CHILD";

class CFailingDirPlatform : public CWin32Platform {
public:
    explicit CFailingDirPlatform(EDirError nError) : m_nError(nError) {}
    EDirError MakeDirectory(const char*) override { return m_nError; }

private:
    EDirError m_nError;
};

bool RunChildIfAsked() {
    const char* pszMode = std::getenv(kChildVariable);
    if (!pszMode)
        return false;
    const std::string strMode = pszMode;
    CFailingDirPlatform platform(strMode == "drive" ? dirErrorInvalidDrive : dirErrorDenied);
    platform.SetConsoleReports(strMode == "console");
    CPayloadArchive archive(platform);
    archive.CreateDir("Q:\\Spiele");
    ExitProcess(0); // not reached: CreateDir ends the process
}

const bool s_bChild = RunChildIfAsked();

struct SChild {
    PROCESS_INFORMATION info = {};
    HANDLE hStderr = nullptr;
};

SChild StartChild(const char* pszMode) {
    SetEnvironmentVariableA(kChildVariable, pszMode);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE hRead = nullptr;
    HANDLE hWrite = nullptr;
    CreatePipe(&hRead, &hWrite, &inherit, 0);
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = hWrite;
    startup.hStdOutput = hWrite;
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strCommand = std::string("\"") + szPath + "\" --gtest_filter=None";
    SChild child;
    CreateProcessA(szPath, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &child.info);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    CloseHandle(hWrite);
    child.hStderr = hRead;
    return child;
}

std::string ReadAll(HANDLE hPipe) {
    std::string strText;
    char buffer[256];
    DWORD nRead = 0;
    while (ReadFile(hPipe, buffer, sizeof(buffer), &nRead, nullptr) && nRead > 0)
        strText.append(buffer, nRead);
    return strText;
}

DWORD Finish(SChild& child) {
    WaitForSingleObject(child.info.hProcess, 30000);
    DWORD nCode = 0;
    GetExitCodeProcess(child.info.hProcess, &nCode);
    CloseHandle(child.info.hProcess);
    CloseHandle(child.info.hThread);
    CloseHandle(child.hStderr);
    return nCode;
}

struct SFind {
    DWORD nProcess;
    HWND hWnd;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
    SFind* pFind = reinterpret_cast<SFind*>(lParam);
    DWORD nProcess = 0;
    GetWindowThreadProcessId(hWnd, &nProcess);
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (nProcess == pFind->nProcess && IsWindowVisible(hWnd) && std::string(szClass) == "#32770") {
        pFind->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Waits for the child's next message box, returns its text and presses OK; ""
// when the child ended without one.
std::string PressNextBox(const SChild& child) {
    for (int nTry = 0; nTry < 300; ++nTry) {
        SFind find = {child.info.dwProcessId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&find));
        if (find.hWnd) {
            char szText[512] = {};
            GetWindowTextA(GetDlgItem(find.hWnd, 0xFFFF), szText, sizeof(szText));
            SendMessageA(find.hWnd, WM_COMMAND, IDOK, 0);
            for (int nWait = 0; nWait < 100 && IsWindow(find.hWnd); ++nWait)
                Sleep(50);
            return szText;
        }
        if (WaitForSingleObject(child.info.hProcess, 100) == WAIT_OBJECT_0)
            return std::string();
    }
    return std::string();
}

TEST(Win32Platform, OpensTheArchiveResourceOfTheExecutable) {
    CScratch scratch;
    CPayloadArchive archive;
    ASSERT_TRUE(archive.Open(ARCHIV_RESOURCE_ID));
    archive.SetTargetDir(scratch.Target().string().c_str());
    EXPECT_TRUE(archive.ExtractNext());
    EXPECT_EQ(15, archive.GetProgress());
    EXPECT_TRUE(archive.ExtractNext());
    EXPECT_EQ(100, archive.GetProgress());
    EXPECT_FALSE(archive.ExtractNext());
    EXPECT_EQ("Hallo Korvanu\r\n", ReadFile(scratch.Target() / "readme.txt"));
    EXPECT_EQ(256u, ReadFile(scratch.Target() / "sub" / "data.bin").size());
    EXPECT_TRUE(ListFiles(scratch.Temp()).empty());
}

TEST(Win32Platform, ZlibIsLinkedIntoTheProgram) {
    // A bare Windows has no zlib1.dll, and Wine brings its own, which would hide
    // the dependency: read the program's import table instead.
    const BYTE* pBase = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int nDlls = 0;
    for (const auto* pImport =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
         pImport->Name != 0; ++pImport, ++nDlls) {
        EXPECT_NE(0, lstrcmpiA(reinterpret_cast<const char*>(pBase + pImport->Name), "zlib1.dll"));
    }
    EXPECT_LT(0, nDlls);
}

TEST(Win32Platform, AMissingResourceFailsOpen) {
    CPayloadArchive archive;
    EXPECT_FALSE(archive.Open(ARCHIV_RESOURCE_ID + 1));
    EXPECT_EQ(-1, archive.GetProgress());
}

TEST(Win32Platform, MapsErrorCodesOntoTheInstallersCases) {
    EXPECT_EQ(dirErrorDenied, CWin32Platform::DirErrorFromCode(ERROR_ACCESS_DENIED));
    EXPECT_EQ(dirErrorInvalidDrive, CWin32Platform::DirErrorFromCode(ERROR_INVALID_DRIVE));
    EXPECT_EQ(dirErrorWriteProtect, CWin32Platform::DirErrorFromCode(ERROR_WRITE_PROTECT));
    EXPECT_EQ(dirErrorExists, CWin32Platform::DirErrorFromCode(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(dirErrorOther, CWin32Platform::DirErrorFromCode(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(fileErrorDiskFull, CWin32Platform::FileErrorFromCode(ERROR_DISK_FULL));
    EXPECT_EQ(fileErrorDiskFull, CWin32Platform::FileErrorFromCode(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(fileErrorDeviceGone, CWin32Platform::FileErrorFromCode(ERROR_NOT_READY));
    EXPECT_EQ(fileErrorDeviceGone, CWin32Platform::FileErrorFromCode(ERROR_DEV_NOT_EXIST));
    EXPECT_EQ(fileErrorWriteProtect, CWin32Platform::FileErrorFromCode(ERROR_WRITE_PROTECT));
    EXPECT_EQ(fileErrorOther, CWin32Platform::FileErrorFromCode(ERROR_ACCESS_DENIED));
}

TEST(Win32Platform, ANewDirectoryBelowAMissingOneIsOtherError) {
    CScratch scratch;
    CWin32Platform platform;
    const std::string strDir = scratch.Root().string() + "\\new";
    EXPECT_EQ(dirErrorNone, platform.MakeDirectory(strDir.c_str()));
    EXPECT_EQ(dirErrorExists, platform.MakeDirectory(strDir.c_str()));
    EXPECT_EQ(dirErrorOther, platform.MakeDirectory((strDir + "\\a\\b").c_str()));
}

// _tempnam's form, not GetTempFileName's: TMP, "\T" and decimal digits, and
// no file made to reserve the name.
TEST(Win32Platform, TemporaryNamesAreFreeDecimalNamesInTmp) {
    CScratch scratch;
    CWin32Platform platform;
    const std::string strFirst = platform.GetTempName("T", "T");
    const std::string strFolder = scratch.Temp().string() + "\\T";
    ASSERT_EQ(0u, strFirst.find(strFolder));
    EXPECT_EQ(std::string::npos, strFirst.find_first_not_of("0123456789", strFolder.size()));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Temp()));
    archive_test::WriteFile(strFirst, "taken");
    EXPECT_NE(strFirst, platform.GetTempName("T", "T"));
}

TEST(Win32FatalExit, ShowsTheDeniedBoxThenTheFatalTextAndEnds) {
    SChild child = StartChild("denied");
    ASSERT_NE(nullptr, child.info.hProcess);
    EXPECT_EQ("Zugriff verzeigert.", PressNextBox(child));
    EXPECT_EQ("Konnte Verzeichnis \"Q:\\Spiele\" nicht erstellen.", PressNextBox(child));
    EXPECT_EQ("", PressNextBox(child));
    EXPECT_NE(0u, Finish(child));
}

TEST(Win32FatalExit, TheInvalidDriveTextReachesWindowsInCodePage1252) {
    SChild child = StartChild("drive");
    ASSERT_NE(nullptr, child.info.hProcess);
    EXPECT_EQ("Ung\xFCltiges Laufwerk.", PressNextBox(child));
    EXPECT_EQ("Konnte Verzeichnis \"Q:\\Spiele\" nicht erstellen.", PressNextBox(child));
    EXPECT_NE(0u, Finish(child));
}

TEST(Win32FatalExit, ConsoleReportsGoToStderrWithTheFatalExitCode) {
    SChild child = StartChild("console");
    ASSERT_NE(nullptr, child.info.hProcess);
    const std::string strOutput = ReadAll(child.hStderr);
    // stderr is in text mode: each line ends in CR LF.
    EXPECT_EQ("Fehler: Zugriff verzeigert.\r\n"
              "Konnte Verzeichnis \"Q:\\Spiele\" nicht erstellen.\r\n",
              strOutput);
    EXPECT_EQ(static_cast<DWORD>(FATAL_EXIT_CODE), Finish(child));
}

} // namespace
