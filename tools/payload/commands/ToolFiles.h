// tools/payload/commands/ToolFiles.h
#pragma once

#include "archive/ArchiveMapping.h"

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
    static std::string DescribeUnreadable(const std::string& strPath);
    static bool ReadAll(const std::string& strPath, std::vector<unsigned char>& data,
                        std::string& strError);
    // Writes a file of the archive name strName below strDir, making its directories.
    static bool WriteBelow(const std::string& strDir, const std::string& strName,
                           const std::vector<unsigned char>& data, std::string& strError);
};
