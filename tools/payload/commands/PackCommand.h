// tools/payload/commands/PackCommand.h
#pragma once

#include "commands/ToolOptions.h"
#include "pe/PayloadLimits.h"

#include "archive/CodePage1252.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class CArchiveWriter;

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
    std::string strLargest;     // the largest file's archive name
    std::uint64_t nLargest = 0; // and its size
};

// payload pack DIR ARCHIVE: every regular file below DIR, in byte order of
// the names in code page 1252, as members of the installer's form; one line
// per file unless quiet. Names that are no UTF-8, hold a character 1252 lacks
// or that the installer would refuse, and files of 4 GiB or more stop the
// command before anything is written. With --installer, so do files larger
// than a 32-bit installer can decode beside the wizard alone; an archive that
// passes the 32-bit installer's limit, or whose largest file does not fit
// beside the image it makes, is packed to its end to measure it, and refused;
// nothing is written.
class CPackCommand {
public:
    // bListFiles false: a progress display instead of the list of files.
    // nWizardImage: the wizard's image without a payload, which --installer
    // counts beside the archive.
    explicit CPackCommand(const SToolOptions& options, bool bListFiles = true,
                          std::uint64_t nWizardImage = kWizardImage)
        : m_options(options), m_bListFiles(bListFiles), m_nWizardImage(nWizardImage) {}

    int Run();
    // The files below DIR in archive order, checked; an exit code. strOutput
    // is the file being made, which is not packed.
    int Scan(const std::string& strDir, const std::string& strOutput,
             std::vector<SPackFile>& files);
    // Packs the files into entries of writer, staging members beside strOutput;
    // an exit code. Past the archive's limit, members are only measured.
    int Write(const std::vector<SPackFile>& files, CArchiveWriter& writer,
              const std::string& strOutput, SPackTotals& totals);
    // Whether a 32-bit installer carries the archive of totals and, with an
    // image of nImage bytes, can decode its largest file; says why not on
    // stderr, ending in pszEnd.
    static bool FitsInstaller(const SPackTotals& totals, std::uint64_t nImage,
                              const char* pszEnd = ", nothing written");

private:
    int Collect(const std::string& strDir, const std::string& strOutput,
                std::vector<SPackFile>& files);
    int Refuse(const std::vector<SPackFile>& files);
    // The archive's largest size: the installer's limit with --installer.
    std::uint64_t Limit() const;

    const SToolOptions& m_options;
    bool m_bListFiles;
    std::uint64_t m_nWizardImage;
};
