// archive/PayloadArchive.h: walks the payload archive and extracts it entry by entry.
//
// Use: Open(ARCHIV_RESOURCE_ID); when TRUE, SetTargetDir(folder); ExtractNext()
// until it returns FALSE, GetProgress() after each entry; Close().
//
// Paths are built with the backslash as the only separator (the target folder's
// '/' are turned into '\' as well); the platform maps them onto its own form.
// Failures of one entry are reported with a message box (caption "Fehler" for the
// German texts) and the walk goes on; a directory that cannot be made, a
// temporary file that cannot be made or written, and a write failure that
// every later file would repeat (disk full, device gone, write-protected), end
// the process through CPlatform::ExitFatal. An archive cut short is reported
// with the entry it cuts through.
#pragma once

#include "archive/DiskSpace.h"
#include "archive/GzipFileStream.h"
#include "archive/MemFile.h"
#include "archive/Platform.h"
#include "archive/Types.h"

#include <cstdint>
#include <memory>
#include <string>

class CPayloadArchive {
public:
    // Uses CPlatform::GetDefault().
    CPayloadArchive();
    explicit CPayloadArchive(CPlatform& platform);
    CPayloadArchive(const CPayloadArchive&) = delete;
    CPayloadArchive& operator=(const CPayloadArchive&) = delete;
    virtual ~CPayloadArchive();

    // Views the archive with that id: bytes registered with RegisterArchive
    // first, else the executable's "RT_ARCHIV" resource. FALSE when neither exists.
    BOOL Open(UINT nID);
    // Stores the folder, ending in exactly one backslash when it had none.
    void SetTargetDir(const char* pszFolder);
    // Reads and extracts the next entry. TRUE when an entry was processed, even
    // if it failed; FALSE at the end, when not open, or when the rest of the
    // archive is damaged (a name without separator, a member past the end).
    BOOL ExtractNext();
    // Percentage of the archive consumed, 0 to 100; -1 when not open.
    int GetProgress() const;
    void Close();

    // Decodes the gzip file pszSource and then writes pszDestination. FALSE when
    // the source cannot be opened or is damaged, or the destination cannot be written.
    BOOL Decompress(const char* pszSource, const char* pszDestination);
    // Ensures every directory of a file path, outermost first; TRUE or the process ends.
    BOOL CreateDirsForPath(const char* pszPath);
    // Ensures one directory exists; TRUE or the process ends.
    BOOL CreateDir(const char* pszDirectory);

    // Whether the target folder's drive has room for the archive, given the
    // files that it replaces there and the staging file when the temporary
    // folder lies on that drive (GetSpaceNeeded). FALSE when its free space is
    // known and smaller than that need (space then holds both); TRUE when there
    // is room, when the system cannot tell, or when the archive is not open.
    BOOL CheckFreeSpace(SDiskSpace& space);

    const std::string& GetTargetDir() const { return m_strTargetDir; }

private:
    BOOL StageAndExtract(const std::string& strDestination, std::uint32_t nLength);
    // A new temporary file under a free name, which strTemp receives (empty
    // when none could be formed); INVALID_OUTPUT when it cannot be made.
    OUTPUTHANDLE CreateStagingFile(std::string& strTemp, EFileError& error);
    // The temporary file could not be made or written: the entry is skipped,
    // or the process ends when every later entry would fail the same way.
    BOOL FailStaging(const std::string& strTemp, EFileError error);
    // Decompress of an open stream without the fatal end: a lasting write
    // failure is left in error. pszSource names the stream's file in messages.
    BOOL DecodeInto(CGzipFileStream& stream, const char* pszSource, const char* pszDestination,
                    EFileError& error);
    // The entry's name as stored, for messages.
    std::string EntryNameOf(const char* pszDestination) const;
    void ReportEntry(const char* pszFormat, const std::string& strArgument);
    [[noreturn]] void ExitWithEntry(const char* pszFormat, const std::string& strArgument);

    BOOL m_bOpen = FALSE;
    std::unique_ptr<CMemFile> m_pFile;
    std::string m_strTargetDir;
    CPlatform& m_platform;
    // Every entry decodes into the same buffer, which keeps the largest size seen.
    SDecodeBuffer m_decoded;
};
