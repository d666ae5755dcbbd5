// archive/posix/PosixPlatform.cpp
#include "archive/posix/PosixPlatform.h"

#include "archive/CodePage1252.h"
#include "archive/TempName.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// What a mapping of an empty file points at.
const unsigned char kNoBytes[1] = {0};

bool IsDirectory(const char* pszPath) {
    struct stat status;
    return stat(pszPath, &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsFree(const char* pszPath) {
    struct stat status;
    return lstat(pszPath, &status) != 0 && errno == ENOENT;
}

// Runs the query on the path or, while that does not exist, on its nearest
// existing parent: a folder yet to be made lies on the drive of the one above.
template <class TQuery> bool QueryNearest(const char* pszPath, TQuery query) {
    std::string strPath = CPosixPlatform::ToNativePath(pszPath);
    while (!query(strPath.empty() ? "." : strPath.c_str())) {
        const std::size_t nSlash = strPath.find_last_of('/', strPath.size() - 1);
        if (strPath.empty() || errno != ENOENT)
            return false;
        strPath.erase(nSlash == std::string::npos ? 0 : std::max<std::size_t>(nSlash, 1));
    }
    return true;
}

} // namespace

CPlatform& CPlatform::GetDefault() {
    static CPosixPlatform s_platform;
    return s_platform;
}

BOOL CPosixPlatform::FindArchiveResource(UINT, SByteBlock&) {
    return FALSE;
}

BOOL CPosixPlatform::MapFile(const char* pszPath, SByteBlock& block) {
    const int fd = open(ToNativePath(pszPath).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    struct stat status;
    BOOL bMapped = FALSE;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        if (status.st_size == 0) {
            block.pData = kNoBytes;
            block.nSize = 0;
            bMapped = TRUE;
        } else {
            void* p = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ,
                           MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                block.pData = static_cast<const unsigned char*>(p);
                block.nSize = static_cast<std::uint64_t>(status.st_size);
                bMapped = TRUE;
            }
        }
    }
    close(fd);
    return bMapped;
}

void CPosixPlatform::UnmapFile(SByteBlock& block) {
    if (block.nSize != 0)
        munmap(const_cast<unsigned char*>(block.pData), static_cast<std::size_t>(block.nSize));
    block = SByteBlock();
}

BOOL CPosixPlatform::PathExists(const char* pszPath) {
    struct stat status;
    return stat(ToNativePath(pszPath).c_str(), &status) == 0;
}

EDirError CPosixPlatform::MakeDirectory(const char* pszPath) {
    if (mkdir(ToNativePath(pszPath).c_str(), 0777) == 0)
        return dirErrorNone;
    return DirErrorFromErrno(errno);
}

EPathKind CPosixPlatform::GetPathStatus(const char* pszPath, std::uint64_t& nSize) {
    const std::string strPath = ToNativePath(pszPath);
    struct stat status;
    if (lstat(strPath.c_str(), &status) != 0)
        return pathNone;
    if (S_ISDIR(status.st_mode))
        return pathDirectory;
    // access() also refuses an immutable file, which even root cannot write.
    if (!S_ISREG(status.st_mode) || access(strPath.c_str(), W_OK) != 0)
        return pathNone;
    nSize = static_cast<std::uint64_t>(status.st_size);
    return pathFile;
}

void CPosixPlatform::ShowMessage(const char* pszText, const char* pszCaption) {
    std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(pszCaption).c_str(),
                 Cp1252ToUtf8(pszText).c_str());
}

void CPosixPlatform::ExitFatal(const char* pszText) {
    std::fprintf(stderr, "%s\n", Cp1252ToUtf8(pszText).c_str());
    // Other threads may still run: end without running static destructors.
    std::fflush(nullptr);
    std::_Exit(FATAL_EXIT_CODE);
}

void CPosixPlatform::SetConsoleReports(BOOL) {}

std::string CPosixPlatform::GetTempName(const char* pszDir, const char* pszPrefix) {
    return FormTempName(std::getenv("TMP"), pszDir, P_tmpdir, '/',
                        static_cast<unsigned long>(getpid()), pszPrefix, {IsDirectory, IsFree});
}

OUTPUTHANDLE CPosixPlatform::CreateOutput(const char* pszPath, EFileError& error) {
    const int fd =
        open(ToNativePath(pszPath).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    error = fd < 0 ? FileErrorFromErrno(errno) : fileErrorNone;
    return fd < 0 ? INVALID_OUTPUT : fd;
}

BOOL CPosixPlatform::WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                                 EFileError& error) {
    const char* p = static_cast<const char*>(pData);
    while (nCount != 0) {
        const std::size_t nChunk =
            nCount < (1u << 30) ? static_cast<std::size_t>(nCount) : 1u << 30;
        const ssize_t nWritten = write(static_cast<int>(hFile), p, nChunk);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0) {
            // A write of no bytes on a regular file means there is no room.
            error = nWritten == 0 ? fileErrorDiskFull : FileErrorFromErrno(errno);
            return FALSE;
        }
        p += nWritten;
        nCount -= static_cast<std::uint64_t>(nWritten);
    }
    error = fileErrorNone;
    return TRUE;
}

BOOL CPosixPlatform::CloseOutput(OUTPUTHANDLE hFile, EFileError& error) {
    // close() releases the descriptor even when it reports an error; never retry.
    if (close(static_cast<int>(hFile)) == 0) {
        error = fileErrorNone;
        return TRUE;
    }
    error = FileErrorFromErrno(errno);
    return FALSE;
}

BOOL CPosixPlatform::RemoveFile(const char* pszPath) {
    return unlink(ToNativePath(pszPath).c_str()) == 0;
}

OUTPUTHANDLE CPosixPlatform::CreateTemporary(const char* pszPath, EFileError& error) {
    const std::string strPath = ToNativePath(pszPath);
    const int fd = open(strPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    error = fd < 0 ? FileErrorFromErrno(errno) : fileErrorNone;
    if (fd < 0)
        return INVALID_OUTPUT;
    // No delete-on-close here: without its name the file lives as long as the descriptor.
    unlink(strPath.c_str());
    return fd;
}

BOOL CPosixPlatform::ReadBack(OUTPUTHANDLE hFile, SInputFile& file) {
    const int fd = static_cast<int>(hFile);
    struct stat status;
    if (lseek(fd, 0, SEEK_SET) != 0 || fstat(fd, &status) != 0) {
        close(fd);
        return FALSE;
    }
    file.nDescriptor = fd;
    file.nSize = static_cast<std::uint64_t>(status.st_size);
    return TRUE;
}

BOOL CPosixPlatform::OpenInput(const char* pszPath, SInputFile& file) {
    const std::string strPath = ToNativePath(pszPath);
    if (access(strPath.c_str(), W_OK) != 0)
        return FALSE;
    // O_NONBLOCK: a FIFO under the name must not hold the open; regular files
    // ignore it.
    const int fd = open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return FALSE;
    }
    file.nDescriptor = fd;
    file.nSize = static_cast<std::uint64_t>(status.st_size);
    return TRUE;
}

std::size_t CPosixPlatform::ReadInput(const SInputFile& file, std::uint64_t nOffset, void* pBuffer,
                                      std::size_t nCount) {
    ssize_t nRead;
    do
        nRead = pread(file.nDescriptor, pBuffer, nCount, static_cast<off_t>(nOffset));
    while (nRead < 0 && errno == EINTR);
    return nRead > 0 ? static_cast<std::size_t>(nRead) : 0;
}

void CPosixPlatform::CloseInput(SInputFile& file) {
    close(file.nDescriptor);
    file.nDescriptor = -1;
}

BOOL CPosixPlatform::GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                                  std::uint64_t& nClusterSize) {
    struct statvfs status;
    if (!QueryNearest(pszFolder, [&](const char* p) { return statvfs(p, &status) == 0; }))
        return FALSE;
    const std::uint64_t nBlock = status.f_frsize ? status.f_frsize : status.f_bsize;
    nFree = static_cast<std::uint64_t>(status.f_bavail) * nBlock;
    nClusterSize = nBlock;
    return TRUE;
}

BOOL CPosixPlatform::IsSameDrive(const char* pszPathA, const char* pszPathB) {
    struct stat statusA, statusB;
    return QueryNearest(pszPathA, [&](const char* p) { return stat(p, &statusA) == 0; }) &&
           QueryNearest(pszPathB, [&](const char* p) { return stat(p, &statusB) == 0; }) &&
           statusA.st_dev == statusB.st_dev;
}

std::string CPosixPlatform::ToNativePath(const char* pszPath) {
    std::string strPath = pszPath;
    for (char& c : strPath) {
        if (c == '\\')
            c = '/';
    }
    return strPath;
}

EDirError CPosixPlatform::DirErrorFromErrno(int nErrno) {
    switch (nErrno) {
    case EACCES:
    case EPERM:
        return dirErrorDenied;
    case EROFS:
        return dirErrorWriteProtect;
    case EEXIST:
        return dirErrorExists;
    default:
        return dirErrorOther;
    }
}

EFileError CPosixPlatform::FileErrorFromErrno(int nErrno) {
    switch (nErrno) {
    case ENOSPC:
    case EDQUOT:
        return fileErrorDiskFull;
    case ENODEV:
    case ENXIO:
    case EIO:
        return fileErrorDeviceGone;
    case EROFS:
        return fileErrorWriteProtect;
    case EEXIST:
        return fileErrorExists;
    default:
        return fileErrorOther;
    }
}
