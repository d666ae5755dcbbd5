// tools/payload/commands/PackCommand.h
#pragma once

#include "commands/ToolOptions.h"

#include "archive/CodePage1252.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct SPackFile {
    SCp1252Text name;     // archive name in code page 1252, backslash-separated
    std::string strFound; // the name as found, UTF-8, backslash-separated
    std::filesystem::path path;
    std::uint64_t nSize;
    bool bSplit; // a file name of this system holds a backslash
};

struct SPackTotals {
    std::size_t nFiles = 0;
    std::uint64_t nBytes = 0;   // of the files
    std::uint64_t nArchive = 0; // of the archive
};

// payload pack DIR ARCHIVE: every regular file below DIR, in byte order of
// the names in code page 1252, as members of the installer's form; one line
// per file unless quiet. Names that are no UTF-8, hold a character 1252 lacks
// or that the installer would refuse, and files of 4 GiB or more stop the
// command before anything is written. With --installer, an archive that
// passes the 32-bit installer's limit is packed to its end to measure it, and
// refused; nothing is written.
class CPackCommand {
public:
    // bListFiles false: a progress display instead of the list of files.
    explicit CPackCommand(const SToolOptions& options, bool bListFiles = true)
        : m_options(options), m_bListFiles(bListFiles) {}

    int Run();
    // Packs DIR into ARCHIVE without the closing line; an exit code.
    int Pack(const std::string& strDir, const std::string& strArchive, SPackTotals& totals);

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
