// archive/Platform.h: everything the engine needs from the operating system.
//
// The engine never calls the system itself; it goes through one CPlatform.
// Windows builds link the archive_platform_win32 library (framework/platform),
// other builds the POSIX implementation in archive/posix. Wrappers that change
// a few operations (the tool's console reports, the tests' faults) derive from
// CForwardingPlatform.
#pragma once

#include "archive/Types.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Outcome of MakeDirectory, the cases the installer tells apart.
enum EDirError {
    dirErrorNone,         // created
    dirErrorDenied,       // ERROR_ACCESS_DENIED; EACCES, EPERM
    dirErrorInvalidDrive, // ERROR_INVALID_DRIVE
    dirErrorWriteProtect, // ERROR_WRITE_PROTECT; EROFS
    dirErrorExists,       // ERROR_ALREADY_EXISTS; EEXIST
    dirErrorOther
};

// Outcome of the file operations. Disk full, device gone and write-protected
// media fail again for every later file; anything else may be local to one file.
enum EFileError {
    fileErrorNone,
    fileErrorDiskFull,     // ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL; ENOSPC, EDQUOT
    fileErrorDeviceGone,   // ERROR_NOT_READY, ERROR_DEV_NOT_EXIST, ...; ENODEV, ENXIO, EIO
    fileErrorWriteProtect, // ERROR_WRITE_PROTECT; EROFS
    fileErrorExists,       // ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS; EEXIST
    fileErrorOther
};

// What GetPathStatus finds under a path.
enum EPathKind {
    pathNone, // nothing, something else, or the system cannot tell
    pathFile, // a regular file that may be written
    pathDirectory
};

// A read-only run of bytes that someone else owns (a resource, a mapped file).
struct SByteBlock {
    const unsigned char* pData = nullptr;
    std::uint64_t nSize = 0;
};

// A file opened by OpenInput: a C runtime file descriptor, as zlib's gzdopen
// takes it, and the file's size when it was opened; nDescriptor -1 when none.
struct SInputFile {
    int nDescriptor = -1;
    std::uint64_t nSize = 0;
};

// An open output file; INVALID_OUTPUT when none.
typedef std::intptr_t OUTPUTHANDLE;
inline constexpr OUTPUTHANDLE INVALID_OUTPUT = -1;

// Exit code of the process after ExitFatal where the platform chooses it
// (POSIX, and Windows in console mode).
inline constexpr int FATAL_EXIT_CODE = 3;

class CPlatform {
public:
    // The platform of this build: Win32 (resources, message boxes, FatalAppExitA)
    // or POSIX (no resources, messages on stderr).
    static CPlatform& GetDefault();

    CPlatform() = default;
    CPlatform(const CPlatform&) = delete;
    CPlatform& operator=(const CPlatform&) = delete;
    virtual ~CPlatform() = default;

    // The bytes of executable resource nID of type "RT_ARCHIV"; FALSE when
    // there is none (always on POSIX: register the bytes instead, ArchiveRegistry.h).
    virtual BOOL FindArchiveResource(UINT nID, SByteBlock& block) = 0;
    // Maps a whole file read-only; FALSE when it cannot be opened or mapped.
    virtual BOOL MapFile(const char* pszPath, SByteBlock& block) = 0;
    virtual void UnmapFile(SByteBlock& block) = 0;

    // TRUE when anything exists under the path: a file, a directory or any
    // other object of the file system. FALSE when nothing does, and also when
    // the system cannot tell (a folder on the way that may not be searched).
    virtual BOOL PathExists(const char* pszPath) = 0;
    virtual EDirError MakeDirectory(const char* pszPath) = 0;
    // What is under the path, and for pathFile its size in bytes. A read-only
    // file and a link are pathNone: replacing them gives no room back.
    virtual EPathKind GetPathStatus(const char* pszPath, std::uint64_t& nSize) = 0;

    // A message box without owner window, one OK button. POSIX, and Windows in
    // console mode, print "caption: text" on stderr instead.
    virtual void ShowMessage(const char* pszText, const char* pszCaption) = 0;
    // Shows the text and ends the process; never returns. Windows: FatalAppExitA.
    // POSIX and console mode: the text on stderr, exit code FATAL_EXIT_CODE.
    [[noreturn]] virtual void ExitFatal(const char* pszText) = 0;
    // Reports on stderr instead of in windows (command-line programs). POSIX
    // always does.
    virtual void SetConsoleReports(BOOL bConsole) = 0;

    // _tempnam(pszDir, pszPrefix): a free file name in TMP or its fallbacks;
    // empty when none can be formed.
    virtual std::string GetTempName(const char* pszDir, const char* pszPrefix) = 0;

    // Creates or truncates a file for writing, exclusive access.
    virtual OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) = 0;
    // Writes all nCount bytes or fails.
    virtual BOOL WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                             EFileError& error) = 0;
    // Closes the handle in every case; FALSE when data may not have reached the file.
    virtual BOOL CloseOutput(OUTPUTHANDLE hFile, EFileError& error) = 0;
    virtual BOOL RemoveFile(const char* pszPath) = 0;

    // Creates a new temporary file for reading and writing, exclusive access;
    // fails when the name is taken, since truncating a file that someone else
    // made under it meanwhile would lose it for good. The file goes away when
    // its handle is closed, by CloseOutput or as the input that ReadBack made
    // of it, and when the process ends first.
    // Windows deletes it on close; POSIX removes the name at once and keeps
    // the open file.
    virtual OUTPUTHANDLE CreateTemporary(const char* pszPath, EFileError& error) = 0;
    // Turns a temporary file's handle into an input file read from its start,
    // with the size it has now. The input owns the handle from then on, also
    // when this fails (FALSE), which closes it.
    virtual BOOL ReadBack(OUTPUTHANDLE hFile, SInputFile& file) = 0;

    // Opens a file for reading in binary mode, with one open: it must exist,
    // be a regular file and be writable (_access with mode 2), as a temporary
    // file that the engine made is. FALSE when it is not, or cannot be opened.
    // zlib's gzclose closes the descriptor once gzdopen has taken it;
    // CloseInput closes it otherwise.
    virtual BOOL OpenInput(const char* pszPath, SInputFile& file) = 0;
    // Reads up to nCount bytes at nOffset and leaves the descriptor's position
    // where it was; the number of bytes read, 0 on an error.
    virtual std::size_t ReadInput(const SInputFile& file, std::uint64_t nOffset, void* pBuffer,
                                  std::size_t nCount) = 0;
    virtual void CloseInput(SInputFile& file) = 0;

    // The free space for this user and the cluster size of the drive that
    // holds the folder (which need not exist yet); FALSE when the system
    // cannot tell.
    virtual BOOL GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                              std::uint64_t& nClusterSize) = 0;
    // TRUE when both paths (which need not exist yet) lie on the same drive,
    // as GetDiskSpace tells drives apart; FALSE when the system cannot tell.
    virtual BOOL IsSameDrive(const char* pszPathA, const char* pszPathB) = 0;
};
