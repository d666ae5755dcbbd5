// tests/archive/ArchiveTestSupport.h: archives built in memory, scratch folders and
// a platform that records what the engine does and injects faults.
#pragma once

#include "EngineTexts.h"
#include "PayloadBytes.h"

#include "archive/ForwardingPlatform.h"
#include "archive/PayloadArchive.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace archive_test {

using test_support::Damaged;
using test_support::DirFailed;
using test_support::Entry;
using test_support::Gzip;
using test_support::InvalidName;
using test_support::NotWritten;
using test_support::TempFailed;

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& strData);
std::vector<std::string> ListFiles(const std::filesystem::path& folder);

// A fresh folder two levels below the system's temporary folder, removed
// afterwards with the folder that holds it; TMP
// points at its "tmp" subfolder while it lives.
class CScratch {
public:
    CScratch();
    ~CScratch();
    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Target() const { return m_root / "target"; }
    std::filesystem::path Temp() const { return m_root / "tmp"; }

private:
    std::filesystem::path m_root;
    std::string m_strOldTmp;
    bool m_bHadTmp = false;
};

// Thrown by CRecordingPlatform::ExitFatal in place of ending the process.
struct SFatalExit : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct SMessage {
    std::string strText;
    std::string strCaption;
};

// Forwards to the real platform, records messages and directory calls, and
// fails the operations named by the fault fields.
class CRecordingPlatform : public CForwardingPlatform {
public:
    CRecordingPlatform() : CForwardingPlatform(CPlatform::GetDefault()) {}

    BOOL PathExists(const char* pszPath) override;
    EDirError MakeDirectory(const char* pszPath) override;
    void ShowMessage(const char* pszText, const char* pszCaption) override;
    [[noreturn]] void ExitFatal(const char* pszText) override;
    std::string GetTempName(const char* pszDir, const char* pszPrefix) override;
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override;
    BOOL WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                     EFileError& error) override;
    BOOL CloseOutput(OUTPUTHANDLE hFile, EFileError& error) override;
    OUTPUTHANDLE CreateTemporary(const char* pszPath, EFileError& error) override;
    BOOL ReadBack(OUTPUTHANDLE hFile, SInputFile& file) override;
    BOOL OpenInput(const char* pszPath, SInputFile& file) override;
    BOOL GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                      std::uint64_t& nClusterSize) override;
    BOOL IsSameDrive(const char* pszPathA, const char* pszPathB) override;

    // Faults: an operation on a path containing the pattern fails with the error.
    std::string strDirFaultPattern;
    EDirError nDirFault = dirErrorOther;
    std::string strCreateFaultPattern;
    EFileError nCreateFault = fileErrorOther;
    std::string strWriteFaultPattern;
    EFileError nWriteFault = fileErrorOther;
    std::string strCloseFaultPattern;
    EFileError nCloseFault = fileErrorOther;
    std::string strInputFaultPattern; // OpenInput and ReadBack fail
    bool bNoTempName = false;
    // Called with each temporary name looked up, before the engine creates
    // the file: another program at work meanwhile.
    std::function<void(const std::string&)> afterTempName;
    // A drive of this cluster size and free space instead of the real one;
    // a cluster size of 0 makes the free space unknown; no other path lies on it.
    bool bFakeDisk = false;
    std::uint64_t nFakeFree = 0;
    std::uint64_t nFakeCluster = 0;
    // Directories only in memory: PathExists looks in dryExisting, and a
    // successful MakeDirectory adds to it.
    bool bDryDirectories = false;
    std::set<std::string> dryExisting;

    std::vector<std::string> madeDirs; // every MakeDirectory call
    std::vector<SMessage> messages;
    std::vector<std::string> tempNames;

private:
    struct SOpenFile {
        OUTPUTHANDLE hFile;
        std::string strPath;
    };
    std::string PathOf(OUTPUTHANDLE hFile) const;
    // Creates a file or a temporary one, with the create fault, and tracks its path.
    OUTPUTHANDLE Track(const char* pszPath, EFileError& error, bool bTemporary);
    // The path of a handle, which is no longer tracked.
    std::string Forget(OUTPUTHANDLE hFile);

    std::vector<SOpenFile> m_openFiles;
};

// Registers the bytes as archive nID for the life of the object.
class CRegisteredArchive {
public:
    CRegisteredArchive(UINT nID, std::string strBytes);
    ~CRegisteredArchive();

private:
    UINT m_nID;
    std::string m_strBytes;
};

} // namespace archive_test
