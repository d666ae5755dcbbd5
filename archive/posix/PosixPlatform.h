// archive/posix/PosixPlatform.h: the engine's platform on Unix systems.
//
// Names are engine paths: every '\' becomes '/'. Errors map from errno:
// EACCES/EPERM denied, EROFS write-protected, EEXIST exists, ENOSPC/EDQUOT full,
// ENODEV/ENXIO/EIO gone, anything else other. Texts arrive in code page 1252 and
// are printed as UTF-8 on stderr.
#pragma once

#include "archive/Platform.h"

#include <string>

class CPosixPlatform : public CPlatform {
public:
    BOOL FindArchiveResource(UINT nID, SByteBlock& block) override;
    BOOL MapFile(const char* pszPath, SByteBlock& block) override;
    void UnmapFile(SByteBlock& block) override;
    BOOL PathExists(const char* pszPath) override;
    EDirError MakeDirectory(const char* pszPath) override;
    EPathKind GetPathStatus(const char* pszPath, std::uint64_t& nSize) override;
    void ShowMessage(const char* pszText, const char* pszCaption) override;
    [[noreturn]] void ExitFatal(const char* pszText) override;
    void SetConsoleReports(BOOL bConsole) override;
    std::string GetTempName(const char* pszDir, const char* pszPrefix) override;
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override;
    BOOL WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                     EFileError& error) override;
    BOOL CloseOutput(OUTPUTHANDLE hFile, EFileError& error) override;
    BOOL RemoveFile(const char* pszPath) override;
    OUTPUTHANDLE CreateTemporary(const char* pszPath, EFileError& error) override;
    BOOL ReadBack(OUTPUTHANDLE hFile, SInputFile& file) override;
    BOOL OpenInput(const char* pszPath, SInputFile& file) override;
    std::size_t ReadInput(const SInputFile& file, std::uint64_t nOffset, void* pBuffer,
                          std::size_t nCount) override;
    void CloseInput(SInputFile& file) override;
    BOOL GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                      std::uint64_t& nClusterSize) override;
    BOOL IsSameDrive(const char* pszPathA, const char* pszPathB) override;

    // Engine path to POSIX path.
    static std::string ToNativePath(const char* pszPath);
    static EDirError DirErrorFromErrno(int nErrno);
    static EFileError FileErrorFromErrno(int nErrno);
};
