// archive/PayloadArchive.cpp
#include "archive/PayloadArchive.h"

#include "archive/ArchiveFraming.h"
#include "archive/ArchiveRegistry.h"
#include "archive/EntryName.h"
#include "archive/GzipFileStream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Texts in code page 1252, as Windows shows them.
const char kCaption[] = "Fehler";
const char kDamaged[] = "Die Datei \"%s\" im Installationspaket ist besch\xE4"
                        "digt.";
const char kInvalidName[] = "Der Dateiname \"%s\" im Installationspaket ist ung\xFC"
                            "ltig.";
const char kTempFailed[] = "Konnte tempor\xE4re Datei \"%s\" nicht erstellen.";
const char kWriteFailed[] = "Konnte Datei \"%s\" nicht schreiben.";
const char kOpenFailed[] = "Failed to open file to decompress";
const char kDirFailed[] = "Konnte Verzeichnis \"%s\" nicht erstellen.";
const char kDenied[] = "Zugriff verzeigert.";
const char kInvalidDrive[] = "Ung\xFCltiges Laufwerk.";
const char kWriteProtected[] = "Ziel ist schreibgesch\xFCtzt.";

// Names taken between look-up and create before the entry is given up.
constexpr int kTempNameTries = 100;

std::string Format(const char* pszFormat, const std::string& strArgument) {
    std::string strText(std::strlen(pszFormat) + strArgument.size(), '\0');
    const int nLength =
        std::snprintf(&strText[0], strText.size() + 1, pszFormat, strArgument.c_str());
    strText.resize(nLength > 0 ? static_cast<std::size_t>(nLength) : 0);
    return strText;
}

// Failures that the next file would meet again: stop instead of asking for each.
bool IsLasting(EFileError error) {
    return error == fileErrorDiskFull || error == fileErrorDeviceGone ||
           error == fileErrorWriteProtect;
}

bool IsBareDrive(const char* pszPath) {
    const char c = pszPath[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && pszPath[1] == ':' &&
           pszPath[2] == '\0';
}

} // namespace

CPayloadArchive::CPayloadArchive() : m_platform(CPlatform::GetDefault()) {}

CPayloadArchive::CPayloadArchive(CPlatform& platform) : m_platform(platform) {}

CPayloadArchive::~CPayloadArchive() {
    Close();
}

BOOL CPayloadArchive::Open(UINT nID) {
    SByteBlock block;
    if (!FindRegisteredArchive(nID, block) && !m_platform.FindArchiveResource(nID, block))
        return FALSE;
    Close();
    m_pFile.reset(new CMemFile(block.pData, block.nSize));
    m_bOpen = TRUE;
    return TRUE;
}

void CPayloadArchive::SetTargetDir(const char* pszFolder) {
    m_strTargetDir = pszFolder;
    for (char& c : m_strTargetDir) {
        if (c == '/')
            c = '\\';
    }
    if (m_strTargetDir.empty() || m_strTargetDir.back() != '\\')
        m_strTargetDir += '\\';
}

BOOL CPayloadArchive::ExtractNext() {
    if (!m_bOpen || m_pFile->GetPosition() == m_pFile->GetLength())
        return FALSE;
    const std::uint64_t nEntry = m_pFile->GetPosition();
    const SEntryFraming framing = FrameEntry(m_pFile->GetCurrent(), m_pFile->GetLength() - nEntry);
    // A damaged archive may hold megabytes without a separator, and no name
    // longer than ENTRY_NAME_MAX is used: only that much, and one byte more, is kept.
    const std::string strName(
        reinterpret_cast<const char*>(m_pFile->GetCurrent()),
        static_cast<std::size_t>(std::min<std::uint64_t>(framing.nNameLength, ENTRY_NAME_MAX + 1)));
    if (framing.nState != framingEntry) {
        // Cut short inside the name or its length field, or a member that runs
        // past the end: nothing after it can be trusted.
        m_pFile->Seek(m_pFile->GetLength());
        ReportEntry(kDamaged, strName);
        return FALSE;
    }
    if (!IsSafeEntryName(strName)) {
        m_pFile->Seek(nEntry + framing.EntrySize());
        ReportEntry(kInvalidName, strName);
        return TRUE;
    }
    // A '/' in a name separates like '\' (Windows takes both), and only '\'
    // makes directories: "a/b" lands as "a\b".
    std::string strDestination = m_strTargetDir + strName;
    std::replace(strDestination.begin() + m_strTargetDir.size(), strDestination.end(), '/', '\\');
    CreateDirsForPath(strDestination.c_str());
    m_pFile->Seek(nEntry + framing.MemberOffset());
    StageAndExtract(strDestination, framing.nMemberLength);
    return TRUE;
}

BOOL CPayloadArchive::StageAndExtract(const std::string& strDestination, std::uint32_t nLength) {
    // The member is consumed whatever happens to it.
    const unsigned char* pMember = m_pFile->GetCurrent();
    m_pFile->Seek(m_pFile->GetPosition() + nLength);

    std::string strTemp;
    EFileError error = fileErrorNone;
    const OUTPUTHANDLE hTemp = CreateStagingFile(strTemp, error);
    if (hTemp == INVALID_OUTPUT)
        return FailStaging(strTemp, error);
    if (!m_platform.WriteOutput(hTemp, pMember, nLength, error)) {
        EFileError closeError = fileErrorNone;
        m_platform.CloseOutput(hTemp, closeError);
        return FailStaging(strTemp, error);
    }
    // The gzip reader reads the staged bytes back through the handle that
    // wrote them: no second open by name, and closing the stream deletes the file.
    SInputFile file;
    CGzipFileStream stream(m_platform);
    if (!m_platform.ReadBack(hTemp, file) || !stream.Open(file))
        return FALSE;
    error = fileErrorNone;
    const BOOL bResult = DecodeInto(stream, strTemp.c_str(), strDestination.c_str(), error);
    stream.Close();
    if (IsLasting(error))
        ExitWithEntry(kWriteFailed, EntryNameOf(strDestination.c_str()));
    return bResult;
}

OUTPUTHANDLE CPayloadArchive::CreateStagingFile(std::string& strTemp, EFileError& error) {
    // Another program may take the name between the look-up and the create:
    // like _tempnam, look for the next free one then.
    for (int nTry = 0; nTry < kTempNameTries; ++nTry) {
        strTemp = m_platform.GetTempName("T", "T");
        if (strTemp.empty())
            return INVALID_OUTPUT;
        const OUTPUTHANDLE hTemp = m_platform.CreateTemporary(strTemp.c_str(), error);
        if (hTemp != INVALID_OUTPUT || error != fileErrorExists)
            return hTemp;
    }
    return INVALID_OUTPUT;
}

BOOL CPayloadArchive::FailStaging(const std::string& strTemp, EFileError error) {
    // A full, write-protected or vanished disk fails again for every later
    // entry: end once instead of showing one box per entry.
    if (IsLasting(error))
        ExitWithEntry(kTempFailed, strTemp);
    ReportEntry(kTempFailed, strTemp);
    return FALSE;
}

BOOL CPayloadArchive::Decompress(const char* pszSource, const char* pszDestination) {
    CGzipFileStream stream(m_platform);
    if (!stream.Open(pszSource, gzModeRead))
        return FALSE;
    EFileError error = fileErrorNone;
    const BOOL bResult = DecodeInto(stream, pszSource, pszDestination, error);
    stream.Close();
    if (IsLasting(error))
        ExitWithEntry(kWriteFailed, EntryNameOf(pszDestination));
    return bResult;
}

BOOL CPayloadArchive::DecodeInto(CGzipFileStream& stream, const char* pszSource,
                                 const char* pszDestination, EFileError& error) {
    // Decode completely before the destination is touched, so that a damaged
    // member leaves an existing file as it was. ReadInto sees every damage,
    // a cut-off member too, so the stream may stay open until the end.
    int nSize = 0;
    if (!stream.ReadInto(m_decoded, nSize)) {
        ReportEntry(kDamaged, EntryNameOf(pszDestination));
        return FALSE;
    }
    const OUTPUTHANDLE hFile = m_platform.CreateOutput(pszDestination, error);
    if (hFile == INVALID_OUTPUT) {
        if (!IsLasting(error))
            m_platform.ShowMessage(kOpenFailed, (std::string(pszSource) + pszDestination).c_str());
        return FALSE;
    }
    BOOL bWritten =
        nSize == 0 || m_platform.WriteOutput(hFile, m_decoded.pData.get(), nSize, error);
    EFileError closeError = fileErrorNone;
    if (!m_platform.CloseOutput(hFile, closeError)) {
        bWritten = FALSE;
        if (error == fileErrorNone)
            error = closeError;
    }
    if (bWritten)
        return TRUE;
    m_platform.RemoveFile(pszDestination);
    if (error == fileErrorNone)
        error = fileErrorOther;
    if (!IsLasting(error))
        ReportEntry(kWriteFailed, EntryNameOf(pszDestination));
    return FALSE;
}

int CPayloadArchive::GetProgress() const {
    if (!m_bOpen || !m_pFile)
        return -1;
    return ConsumedPercent(m_pFile->GetPosition(), m_pFile->GetLength());
}

BOOL CPayloadArchive::CheckFreeSpace(SDiskSpace& space) {
    std::uint64_t nCluster = 0;
    if (!m_bOpen || !m_platform.GetDiskSpace(m_strTargetDir.c_str(), space.nFree, nCluster))
        return TRUE;
    // Where the temporary files go now; no name means no staging file either.
    const std::string strTemp = m_platform.GetTempName("T", "T");
    const bool bStaging =
        !strTemp.empty() && m_platform.IsSameDrive(strTemp.c_str(), m_strTargetDir.c_str());
    space.nNeeded = GetSpaceNeeded({m_pFile->GetData(), m_pFile->GetLength()}, nCluster, m_platform,
                                   m_strTargetDir, bStaging);
    return space.nFree >= space.nNeeded;
}

void CPayloadArchive::Close() {
    if (m_bOpen) {
        m_pFile->Close();
        m_bOpen = FALSE;
    }
    m_pFile.reset();
}

BOOL CPayloadArchive::CreateDirsForPath(const char* pszPath) {
    // Byte-wise: code page 1252 has no lead bytes that could hide a backslash.
    const char* pszLast = std::strrchr(pszPath, '\\');
    if (!pszLast)
        return TRUE;
    const std::string strDir(pszPath, pszLast);
    // A path that starts at the root has nothing to create for its first level.
    if (strDir.empty())
        return TRUE;
    // Entries come folder by folder, so the deepest folder usually exists,
    // and then every folder above it does: one look-up instead of one per level.
    if (m_platform.PathExists(strDir.c_str()))
        return TRUE;
    // The first backslash follows the drive ("E:\") or starts the path. On a
    // share ("\\server\share\") the first four do: the server and the share
    // are no folders to make.
    const bool bShare = strDir.compare(0, 2, "\\\\") == 0;
    const std::size_t nPassOver = bShare ? 4 : 1;
    std::size_t nSeen = 0;
    for (std::size_t i = 0; i < strDir.size(); ++i) {
        if (strDir[i] == '\\' && ++nSeen > nPassOver)
            CreateDir(strDir.substr(0, i).c_str());
    }
    if (bShare && nSeen < nPassOver)
        return TRUE;
    CreateDir(strDir.c_str());
    return TRUE;
}

BOOL CPayloadArchive::CreateDir(const char* pszDirectory) {
    if (m_platform.PathExists(pszDirectory))
        return TRUE;
    switch (m_platform.MakeDirectory(pszDirectory)) {
    case dirErrorNone:
    case dirErrorExists:
        return TRUE;
    case dirErrorDenied:
        // CreateDirectoryA on a drive root ("E:") fails with access denied.
        if (IsBareDrive(pszDirectory))
            return TRUE;
        m_platform.ShowMessage(kDenied, kCaption);
        break;
    case dirErrorInvalidDrive:
        m_platform.ShowMessage(kInvalidDrive, kCaption);
        break;
    case dirErrorWriteProtect:
        m_platform.ShowMessage(kWriteProtected, kCaption);
        break;
    case dirErrorOther:
        break;
    }
    ExitWithEntry(kDirFailed, pszDirectory);
}

std::string CPayloadArchive::EntryNameOf(const char* pszDestination) const {
    const std::size_t nTarget = m_strTargetDir.size();
    if (nTarget != 0 && std::strncmp(pszDestination, m_strTargetDir.c_str(), nTarget) == 0)
        return pszDestination + nTarget;
    return pszDestination;
}

void CPayloadArchive::ReportEntry(const char* pszFormat, const std::string& strArgument) {
    m_platform.ShowMessage(Format(pszFormat, strArgument).c_str(), kCaption);
}

void CPayloadArchive::ExitWithEntry(const char* pszFormat, const std::string& strArgument) {
    m_platform.ExitFatal(Format(pszFormat, strArgument).c_str());
    // The compiler cannot see through the virtual call that it never returns.
    std::abort();
}
