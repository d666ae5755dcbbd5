// tests/archive/ArchiveTestSupport.cpp
#include "ArchiveTestSupport.h"

#include "archive/ArchiveRegistry.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace archive_test {

namespace {

// An empty value removes the variable.
void SetTmp(const std::string& strValue) {
#ifdef _WIN32
    _putenv(("TMP=" + strValue).c_str());
#else
    if (strValue.empty())
        unsetenv("TMP");
    else
        setenv("TMP", strValue.c_str(), 1);
#endif
}

// The system's temporary folder as it was before any scratch folder moved TMP.
const fs::path& SystemTemp() {
    static const fs::path s_path = fs::temp_directory_path();
    return s_path;
}

bool Contains(const char* pszText, const std::string& strPattern) {
    return !strPattern.empty() && std::string(pszText).find(strPattern) != std::string::npos;
}

} // namespace

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& strData) {
    std::ofstream(path, std::ios::binary) << strData;
}

std::vector<std::string> ListFiles(const fs::path& folder) {
    std::vector<std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().lexically_relative(folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

CScratch::CScratch() {
    // Test programs run side by side: the clock keeps their folders apart.
    static std::atomic<int> s_nCount(0);
    std::ostringstream name;
    name << "archive_test_" << std::chrono::steady_clock::now().time_since_epoch().count() << "_"
         << s_nCount++;
    // One folder more, so that what lands beside the scratch folder is this
    // test's own and not another run's in the shared temporary folder.
    m_root = SystemTemp() / name.str() / "scratch";
    fs::remove_all(m_root.parent_path());
    fs::create_directories(Temp());
    const char* pszOld = std::getenv("TMP");
    m_bHadTmp = pszOld != nullptr;
    m_strOldTmp = pszOld ? pszOld : "";
    SetTmp(Temp().string());
}

CScratch::~CScratch() {
    SetTmp(m_bHadTmp ? m_strOldTmp : "");
    std::error_code error;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_root.parent_path(), error);
}

BOOL CRecordingPlatform::PathExists(const char* pszPath) {
    if (bDryDirectories)
        return dryExisting.count(pszPath) != 0;
    return CForwardingPlatform::PathExists(pszPath);
}

EDirError CRecordingPlatform::MakeDirectory(const char* pszPath) {
    madeDirs.push_back(pszPath);
    if (Contains(pszPath, strDirFaultPattern))
        return nDirFault;
    if (bDryDirectories) {
        dryExisting.insert(pszPath);
        return dirErrorNone;
    }
    return CForwardingPlatform::MakeDirectory(pszPath);
}

void CRecordingPlatform::ShowMessage(const char* pszText, const char* pszCaption) {
    messages.push_back({pszText, pszCaption});
}

void CRecordingPlatform::ExitFatal(const char* pszText) {
    throw SFatalExit(pszText);
}

std::string CRecordingPlatform::GetTempName(const char* pszDir, const char* pszPrefix) {
    if (bNoTempName)
        return std::string();
    tempNames.push_back(CForwardingPlatform::GetTempName(pszDir, pszPrefix));
    if (afterTempName)
        afterTempName(tempNames.back());
    return tempNames.back();
}

OUTPUTHANDLE CRecordingPlatform::CreateOutput(const char* pszPath, EFileError& error) {
    return Track(pszPath, error, false);
}

OUTPUTHANDLE CRecordingPlatform::CreateTemporary(const char* pszPath, EFileError& error) {
    return Track(pszPath, error, true);
}

OUTPUTHANDLE CRecordingPlatform::Track(const char* pszPath, EFileError& error, bool bTemporary) {
    if (Contains(pszPath, strCreateFaultPattern)) {
        error = nCreateFault;
        return INVALID_OUTPUT;
    }
    const OUTPUTHANDLE hFile = bTemporary ? CForwardingPlatform::CreateTemporary(pszPath, error)
                                          : CForwardingPlatform::CreateOutput(pszPath, error);
    if (hFile != INVALID_OUTPUT)
        m_openFiles.push_back({hFile, pszPath});
    return hFile;
}

BOOL CRecordingPlatform::WriteOutput(OUTPUTHANDLE hFile, const void* pData, std::uint64_t nCount,
                                     EFileError& error) {
    if (Contains(PathOf(hFile).c_str(), strWriteFaultPattern)) {
        // Part of the data lands before the failure, as on a filling disk.
        EFileError ignored;
        CForwardingPlatform::WriteOutput(hFile, pData, nCount / 2, ignored);
        error = nWriteFault;
        return FALSE;
    }
    return CForwardingPlatform::WriteOutput(hFile, pData, nCount, error);
}

BOOL CRecordingPlatform::CloseOutput(OUTPUTHANDLE hFile, EFileError& error) {
    const std::string strPath = Forget(hFile);
    const BOOL bClosed = CForwardingPlatform::CloseOutput(hFile, error);
    if (Contains(strPath.c_str(), strCloseFaultPattern)) {
        error = nCloseFault;
        return FALSE;
    }
    return bClosed;
}

BOOL CRecordingPlatform::GetDiskSpace(const char* pszFolder, std::uint64_t& nFree,
                                      std::uint64_t& nClusterSize) {
    if (!bFakeDisk)
        return CForwardingPlatform::GetDiskSpace(pszFolder, nFree, nClusterSize);
    nFree = nFakeFree;
    nClusterSize = nFakeCluster;
    return nFakeCluster != 0;
}

BOOL CRecordingPlatform::IsSameDrive(const char* pszPathA, const char* pszPathB) {
    return !bFakeDisk && CForwardingPlatform::IsSameDrive(pszPathA, pszPathB);
}

BOOL CRecordingPlatform::ReadBack(OUTPUTHANDLE hFile, SInputFile& file) {
    if (!Contains(Forget(hFile).c_str(), strInputFaultPattern))
        return CForwardingPlatform::ReadBack(hFile, file);
    EFileError ignored;
    CForwardingPlatform::CloseOutput(hFile, ignored);
    return FALSE;
}

BOOL CRecordingPlatform::OpenInput(const char* pszPath, SInputFile& file) {
    return !Contains(pszPath, strInputFaultPattern) &&
           CForwardingPlatform::OpenInput(pszPath, file);
}

std::string CRecordingPlatform::PathOf(OUTPUTHANDLE hFile) const {
    for (const SOpenFile& file : m_openFiles) {
        if (file.hFile == hFile)
            return file.strPath;
    }
    return std::string();
}

std::string CRecordingPlatform::Forget(OUTPUTHANDLE hFile) {
    const std::string strPath = PathOf(hFile);
    m_openFiles.erase(std::remove_if(m_openFiles.begin(), m_openFiles.end(),
                                     [&](const SOpenFile& file) { return file.hFile == hFile; }),
                      m_openFiles.end());
    return strPath;
}

CRegisteredArchive::CRegisteredArchive(UINT nID, std::string strBytes)
    : m_nID(nID), m_strBytes(std::move(strBytes)) {
    SByteBlock block;
    block.pData = reinterpret_cast<const unsigned char*>(m_strBytes.data());
    block.nSize = m_strBytes.size();
    RegisterArchive(nID, block);
}

CRegisteredArchive::~CRegisteredArchive() {
    UnregisterArchive(m_nID);
}

} // namespace archive_test
