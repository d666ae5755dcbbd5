// tools/payload/PackCommand.h
#pragma once

#include "ToolOptions.h"

#include <cstdint>
#include <string>
#include <vector>

struct SPackFile {
    std::string strName; // archive name, backslash-separated
    std::string strPath;
    std::uint64_t nSize;
    bool bSplit; // a file name of this system holds a backslash
};

// payload pack DIR ARCHIVE: every regular file below DIR, in byte order of
// the names, as members of the installer's form; one line per file unless
// quiet. Names the installer would refuse stop the command before anything
// is written.
class CPackCommand {
public:
    explicit CPackCommand(const SToolOptions& options) : m_options(options) {}

    int Run();

private:
    int Collect(const std::string& strDir, const std::string& strArchive,
                std::vector<SPackFile>& files);
    int Refuse(const std::vector<SPackFile>& files);
    int Write(const std::vector<SPackFile>& files, const std::string& strArchive);

    const SToolOptions& m_options;
};
