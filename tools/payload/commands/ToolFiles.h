// tools/payload/commands/ToolFiles.h
#pragma once

#include "pack/PackResult.h"

#include "archive/ArchiveMapping.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Small file helpers shared by the commands; errors come back as text.
class CToolFiles {
public:
    // Maps an archive file, or an installer and its "RT_ARCHIV" 149 resource,
    // and registers the archive as the installer's (ARCHIV_RESOURCE_ID), whose
    // bytes archive receives; false after telling on stderr why it cannot be
    // read. A file larger than this program can map is refused by its size.
    static bool OpenArchive(CArchiveMapping& mapping, const std::string& strPath,
                            SByteBlock& archive);
    // Why a path cannot be read as a file ("No such file or directory", ...).
    static std::string DescribeUnreadable(const std::filesystem::path& path);
    // The whole file, opened as the system names it: a Windows name need not
    // fit the ANSI code page. Refused, by name and size, when it has more
    // than nLimit bytes.
    static bool ReadAll(const std::filesystem::path& path, std::uint64_t nLimit,
                        std::vector<unsigned char>& data, std::string& strError);
    // Hands nSize bytes of the file from nOffset on to sink, in pieces of
    // SPackResult::kPiece; false, with the reason unless sink failed, when
    // the file cannot be read or ends before.
    static bool ReadPieces(const std::filesystem::path& path, std::uint64_t nOffset,
                           std::uint64_t nSize, const BytesSink& sink, std::string& strError);
    // Whether the file begins as a PE image: "MZ", and the PE signature where
    // that header points, within its first 4 KiB.
    static bool IsImage(const std::string& strPath);
    // A name stored in the archive (code page 1252) as this system's files and
    // console take it: UTF-8 on Linux; on Windows the stored bytes, which the
    // ANSI functions read in the system's code page, as the installer does.
    static std::string SystemName(const std::string& strStored);
    // Writes a file of the archive name strName below strDir, making its directories.
    static bool WriteBelow(const std::string& strDir, const std::string& strName,
                           const std::vector<unsigned char>& data, std::string& strError);
};
