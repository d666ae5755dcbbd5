// framework/platform/Win32Platform.cpp
#include <windows.h>

#include "framework/platform/Win32Platform.h"

#include "archive/ArchivFormat.h"
#include "archive/TempName.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {

// What a mapping of an empty file points at.
const unsigned char kNoBytes[1] = {0};

HANDLE ToHandle(OUTPUTHANDLE hFile) {
    return reinterpret_cast<HANDLE>(hFile);
}

bool IsDirectory(const char* pszPath) {
    const DWORD nAttributes = GetFileAttributesA(pszPath);
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFree(const char* pszPath) {
    return GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

// The root of the drive that holds a path: "E:\" for "E:\sub", "\\server\share\"
// for a path on a share; empty (the current drive) for a relative path.
std::string RootOf(const char* pszPath) {
    const std::string strPath = pszPath;
    if (strPath.size() >= 2 && strPath[1] == ':')
        return strPath.substr(0, 2) + "\\";
    if (strPath.compare(0, 2, "\\\\") == 0) {
        const std::size_t nShare = strPath.find('\\', 2);
        const std::size_t nEnd =
            nShare == std::string::npos ? nShare : strPath.find('\\', nShare + 1);
        return nEnd == std::string::npos ? strPath + "\\" : strPath.substr(0, nEnd + 1);
    }
    return std::string();
}

// The path made absolute, so that a relative one names its drive; empty when
// the system cannot form it.
std::string FullPathOf(const char* pszPath) {
    char szPath[MAX_PATH];
    const DWORD nLength = GetFullPathNameA(pszPath, MAX_PATH, szPath, nullptr);
    return nLength != 0 && nLength < MAX_PATH ? std::string(szPath, nLength) : std::string();
}

} // namespace

CPlatform& CPlatform::GetDefault() {
    static CWin32Platform s_platform;
    return s_platform;
}

BOOL CWin32Platform::FindArchiveResource(UINT nID, SByteBlock& block) {
    char szName[16];
    std::snprintf(szName, sizeof(szName), "#%u", nID);
    HRSRC hResource = FindResourceA(nullptr, szName, ARCHIV_RESOURCE_TYPE);
    if (!hResource)
        return FALSE;
    HGLOBAL hData = LoadResource(nullptr, hResource);
    const void* pData = hData ? LockResource(hData) : nullptr;
    if (!pData)
        return FALSE;
    block.pData = static_cast<const unsigned char*>(pData);
    block.nSize = SizeofResource(nullptr, hResource);
    return TRUE;
}

BOOL CWin32Platform::MapFile(const char* pszPath, SByteBlock& block) {
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size;
    BOOL bMapped = FALSE;
    if (GetFileSizeEx(hFile, &size) && size.QuadPart == 0) {
        // CreateFileMapping refuses an empty file.
        block.pData = kNoBytes;
        block.nSize = 0;
        bMapped = TRUE;
    } else if (size.QuadPart > 0) {
        HANDLE hMapping = CreateFileMappingA(hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
        // The view keeps the mapping object alive after its handle is closed.
        const void* pView = hMapping ? MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        if (hMapping)
            CloseHandle(hMapping);
        if (pView) {
            block.pData = static_cast<const unsigned char*>(pView);
            block.nSize = static_cast<std::uint64_t>(size.QuadPart);
            bMapped = TRUE;
        }
    }
    CloseHandle(hFile);
    return bMapped;
}

void CWin32Platform::UnmapFile(SByteBlock& block) {
    if (block.nSize != 0)
        UnmapViewOfFile(block.pData);
    block = SByteBlock();
}

BOOL CWin32Platform::PathExists(const char* pszPath) {
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

EDirError CWin32Platform::MakeDirectory(const char* pszPath) {
    if (CreateDirectoryA(pszPath, nullptr))
        return dirErrorNone;
    return DirErrorFromCode(GetLastError());
}

EPathKind CWin32Platform::GetPathStatus(const char* pszPath, std::uint64_t& nSize) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data))
        return pathNone;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return pathDirectory;
    // CreateFileA with CREATE_ALWAYS fails on a read-only file; a reparse
    // point's data may lie elsewhere.
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT))
        return pathNone;
    nSize = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return pathFile;
}

void CWin32Platform::ShowMessage(const char* pszText, const char* pszCaption) {
    if (m_bConsole)
        std::fprintf(stderr, "%s: %s\n", pszCaption, pszText);
    else
        MessageBoxA(nullptr, pszText, pszCaption, MB_OK);
}

void CWin32Platform::ExitFatal(const char* pszText) {
    if (m_bConsole) {
        std::fprintf(stderr, "%s\n", pszText);
        std::fflush(nullptr);
    } else {
        // "displays a message box and terminates the application when the
        // message box is closed".
        FatalAppExitA(0, pszText);
    }
    ExitProcess(FATAL_EXIT_CODE);
}

void CWin32Platform::SetConsoleReports(BOOL bConsole) {
    m_bConsole = bConsole;
}

std::string CWin32Platform::GetTempName(const char* pszDir, const char* pszPrefix) {
    // The runtime's _tempnam is not used: Wine's reserves each name by
    // creating and deleting a file, four round trips to its server per entry,
    // and gives up where Windows' falls back to the root and the current folder.
    return FormTempName(std::getenv("TMP"), pszDir, "\\", '\\', GetCurrentProcessId(), pszPrefix,
                        {IsDirectory, IsFree});
}

OUTPUTHANDLE CWin32Platform::CreateOutput(const char* pszPath, EFileError& error) {
    HANDLE hFile = CreateFileA(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    error = hFile == INVALID_HANDLE_VALUE ? FileErrorFromCode(GetLastError()) : fileErrorNone;
    return reinterpret_cast<OUTPUTHANDLE>(hFile);
}

BOOL CWin32Platform::WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                                 EFileError& error) {
    const char* p = static_cast<const char*>(pData);
    while (nCount != 0) {
        const DWORD nChunk = nCount < (1u << 30) ? static_cast<DWORD>(nCount) : 1u << 30;
        DWORD nWritten = 0;
        if (!WriteFile(ToHandle(hFile), p, nChunk, &nWritten, nullptr)) {
            error = FileErrorFromCode(GetLastError());
            return FALSE;
        }
        if (nWritten == 0) {
            error = fileErrorDiskFull;
            return FALSE;
        }
        p += nWritten;
        nCount -= nWritten;
    }
    error = fileErrorNone;
    return TRUE;
}

BOOL CWin32Platform::CloseOutput(OUTPUTHANDLE hFile, EFileError& error) {
    if (CloseHandle(ToHandle(hFile))) {
        error = fileErrorNone;
        return TRUE;
    }
    error = FileErrorFromCode(GetLastError());
    return FALSE;
}

BOOL CWin32Platform::RemoveFile(const char* pszPath) {
    return DeleteFileA(pszPath);
}

OUTPUTHANDLE CWin32Platform::CreateTemporary(const char* pszPath, EFileError& error) {
    // FILE_FLAG_DELETE_ON_CLOSE: "the file is to be deleted immediately after
    // all of its handles are closed", which saves opening it again by name to
    // delete it; FILE_ATTRIBUTE_TEMPORARY keeps it in the cache if it can.
    // CREATE_NEW, not CREATE_ALWAYS, which would also make Wine truncate the
    // new file, and ext4 writes a truncated file's data out when it is
    // closed, although this one is deleted then.
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    error = hFile == INVALID_HANDLE_VALUE ? FileErrorFromCode(GetLastError()) : fileErrorNone;
    return reinterpret_cast<OUTPUTHANDLE>(hFile);
}

BOOL CWin32Platform::ReadBack(OUTPUTHANDLE hFile, SInputFile& file) {
    LARGE_INTEGER size;
    const LARGE_INTEGER start = {};
    const int fd = SetFilePointerEx(ToHandle(hFile), start, nullptr, FILE_BEGIN) &&
                           GetFileSizeEx(ToHandle(hFile), &size)
                       ? _open_osfhandle(hFile, _O_RDONLY | _O_BINARY)
                       : -1;
    if (fd < 0) {
        CloseHandle(ToHandle(hFile));
        return FALSE;
    }
    file.nDescriptor = fd;
    file.nSize = static_cast<std::uint64_t>(size.QuadPart);
    return TRUE;
}

BOOL CWin32Platform::OpenInput(const char* pszPath, SInputFile& file) {
    const int fd = _open(pszPath, _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return FALSE;
    // _fstat sets _S_IWRITE unless the file is read-only, which is what
    // _access with mode 2 tests, without a second look-up by name.
    struct _stati64 status;
    if (_fstati64(fd, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG ||
        !(status.st_mode & _S_IWRITE)) {
        _close(fd);
        return FALSE;
    }
    file.nDescriptor = fd;
    file.nSize = static_cast<std::uint64_t>(status.st_size);
    return TRUE;
}

std::size_t CWin32Platform::ReadInput(const SInputFile& file, std::uint64_t nOffset, void* pBuffer,
                                      std::size_t nCount) {
    // The runtime has no positional read: seek there, read and seek back.
    const __int64 nPosition = _lseeki64(file.nDescriptor, 0, SEEK_CUR);
    if (nPosition < 0 || _lseeki64(file.nDescriptor, static_cast<__int64>(nOffset), SEEK_SET) < 0)
        return 0;
    const int nRead = _read(file.nDescriptor, pBuffer, static_cast<unsigned>(nCount));
    _lseeki64(file.nDescriptor, nPosition, SEEK_SET);
    return nRead > 0 ? static_cast<std::size_t>(nRead) : 0;
}

void CWin32Platform::CloseInput(SInputFile& file) {
    _close(file.nDescriptor);
    file.nDescriptor = -1;
}

BOOL CWin32Platform::GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                                  std::uint64_t& nClusterSize) {
    const std::string strRoot = RootOf(pszFolder);
    const char* pszRoot = strRoot.empty() ? nullptr : strRoot.c_str();
    DWORD nSectorsPerCluster = 0, nBytesPerSector = 0, nFreeClusters = 0, nClusters = 0;
    ULARGE_INTEGER nAvailable = {};
    // The cluster size from GetDiskFreeSpaceA; the free bytes from the Ex form,
    // which counts what this user may use (quotas) in 64 bits.
    if (!GetDiskFreeSpaceA(pszRoot, &nSectorsPerCluster, &nBytesPerSector, &nFreeClusters,
                           &nClusters) ||
        !GetDiskFreeSpaceExA(pszRoot, &nAvailable, nullptr, nullptr))
        return FALSE;
    nFree = nAvailable.QuadPart;
    nClusterSize = static_cast<std::uint64_t>(nSectorsPerCluster) * nBytesPerSector;
    return TRUE;
}

BOOL CWin32Platform::IsSameDrive(const char* pszPathA, const char* pszPathB) {
    const std::string strRootA = RootOf(FullPathOf(pszPathA).c_str());
    const std::string strRootB = RootOf(FullPathOf(pszPathB).c_str());
    return !strRootA.empty() && lstrcmpiA(strRootA.c_str(), strRootB.c_str()) == 0;
}

EDirError CWin32Platform::DirErrorFromCode(unsigned long nCode) {
    switch (nCode) {
    case ERROR_ACCESS_DENIED:
        return dirErrorDenied;
    case ERROR_INVALID_DRIVE:
        return dirErrorInvalidDrive;
    case ERROR_WRITE_PROTECT:
        return dirErrorWriteProtect;
    case ERROR_ALREADY_EXISTS:
        return dirErrorExists;
    default:
        return dirErrorOther;
    }
}

EFileError CWin32Platform::FileErrorFromCode(unsigned long nCode) {
    switch (nCode) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return fileErrorDiskFull;
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
    case ERROR_INVALID_DRIVE:
    case ERROR_GEN_FAILURE:
        return fileErrorDeviceGone;
    case ERROR_WRITE_PROTECT:
        return fileErrorWriteProtect;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return fileErrorExists;
    default:
        return fileErrorOther;
    }
}
