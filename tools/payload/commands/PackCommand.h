// tools/payload/commands/PackCommand.h
#pragma once

#include "commands/ToolOptions.h"

#include <cstdint>
#include <string>
#include <vector>

struct SPackFile {
    std::string strName; // archive name, backslash-separated
    std::string strPath;
    std::uint64_t nSize;
    bool bSplit; // a file name of this system holds a backslash
};

struct SPackTotals {
    std::size_t nFiles = 0;
    std::uint64_t nBytes = 0;   // of the files
    std::uint64_t nArchive = 0; // of the archive
    std::string strLargest;     // the largest file's archive name
    std::uint64_t nLargest = 0; // and its size
};

// payload pack DIR ARCHIVE: every regular file below DIR, in byte order of
// the names, as members of the installer's form; one line per file unless
// quiet. Names the installer would refuse and files of 4 GiB or more stop the
// command before anything is written. With --installer, so do files larger
// than a 32-bit installer can decode beside the wizard alone; an archive that
// passes the 32-bit installer's limit, or whose largest file does not fit
// beside the image it makes, is packed to its end to measure it, and refused;
// nothing is written.
class CPackCommand {
public:
    // bListFiles false: a progress display instead of the list of files.
    explicit CPackCommand(const SToolOptions& options, bool bListFiles = true)
        : m_options(options), m_bListFiles(bListFiles) {}

    int Run();
    // Packs DIR into ARCHIVE without the closing line; an exit code.
    int Pack(const std::string& strDir, const std::string& strArchive, SPackTotals& totals);
    // Whether a 32-bit installer carries the archive of totals and, with an
    // image of nImage bytes, can decode its largest file; says why not on
    // stderr, ending in pszEnd.
    static bool FitsInstaller(const SPackTotals& totals, std::uint64_t nImage,
                              const char* pszEnd = ", nothing written");

private:
    int Collect(const std::string& strDir, const std::string& strArchive,
                std::vector<SPackFile>& files);
    int Refuse(const std::vector<SPackFile>& files);
    int Write(const std::vector<SPackFile>& files, const std::string& strArchive,
              SPackTotals& totals);
    // The archive's largest size: the installer's limit with --installer.
    std::uint64_t Limit() const;

    const SToolOptions& m_options;
    bool m_bListFiles;
};
