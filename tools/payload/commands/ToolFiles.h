// tools/payload/commands/ToolFiles.h
#pragma once

#include "archive/ArchiveMapping.h"

#include <filesystem>
#include <string>
#include <vector>

// Small file helpers shared by the commands; errors come back as text.
class CToolFiles {
public:
    // Maps an archive file, or an installer and its "RT_ARCHIV" 149 resource,
    // and registers the archive as the installer's (ARCHIV_RESOURCE_ID), whose
    // bytes archive receives; false after telling on stderr why it cannot be read.
    static bool OpenArchive(CArchiveMapping& mapping, const std::string& strPath,
                            SByteBlock& archive);
    // Why a path cannot be read as a file ("No such file or directory", ...).
    static std::string DescribeUnreadable(const std::filesystem::path& path);
    // Opens the path as the system names it: a Windows name need not fit the
    // ANSI code page.
    static bool ReadAll(const std::filesystem::path& path, std::vector<unsigned char>& data,
                        std::string& strError);
    // A name stored in the archive (code page 1252) as this system's files and
    // console take it: UTF-8 on Linux; on Windows the stored bytes, which the
    // ANSI functions read in the system's code page, as the installer does.
    static std::string SystemName(const std::string& strStored);
    // Writes a file of the archive name strName below strDir, making its directories.
    static bool WriteBelow(const std::string& strDir, const std::string& strName,
                           const std::vector<unsigned char>& data, std::string& strError);
};
