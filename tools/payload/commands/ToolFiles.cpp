// tools/payload/commands/ToolFiles.cpp
#include "commands/ToolFiles.h"

#include "pe/InstallerImage.h"
#include "pe/PeImage.h"

#include "archive/ArchivFormat.h"
#include "archive/ArchiveRegistry.h"
#include "archive/CodePage1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

bool CToolFiles::OpenArchive(CArchiveMapping& mapping, const std::string& strPath,
                             SByteBlock& archive) {
    if (!mapping.Open(strPath.c_str(), ARCHIV_RESOURCE_ID)) {
        std::fprintf(stderr, "payload: %s\n", DescribeUnreadable(strPath).c_str());
        return false;
    }
    archive = mapping.GetBlock();
    // An archive may begin with "MZ", but its names hold no NUL byte, which
    // the PE signature that the DOS header points to does.
    std::string strError;
    if (!CPeImage::HasSignature(archive.pData, static_cast<std::size_t>(archive.nSize)))
        return true;
    const unsigned char* pPayload = nullptr;
    std::uint64_t nPayload = 0;
    if (!CInstallerImage::FindPayload(archive.pData, static_cast<std::size_t>(archive.nSize),
                                      pPayload, nPayload, strError)) {
        std::fprintf(stderr, "payload: %s: %s\n", strPath.c_str(), strError.c_str());
        return false;
    }
    archive.pData = pPayload;
    archive.nSize = nPayload;
    RegisterArchive(ARCHIV_RESOURCE_ID, archive);
    return true;
}

std::string CToolFiles::DescribeUnreadable(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        return path.string() + ": is a directory";
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (file.is_open())
        return path.string() + ": cannot be mapped";
    return path.string() + ": " + std::strerror(errno);
}

bool CToolFiles::ReadAll(const fs::path& path, std::vector<unsigned char>& data,
                         std::string& strError) {
    std::error_code error;
    auto nSize = fs::file_size(path, error);
    std::ifstream file;
    if (!error)
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        strError = DescribeUnreadable(path);
        return false;
    }
    data.resize(nSize);
    if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(nSize))) {
        strError = path.string() + ": read error";
        return false;
    }
    return true;
}

std::string CToolFiles::SystemName(const std::string& strStored) {
#ifdef _WIN32
    return strStored;
#else
    return Cp1252ToUtf8(strStored);
#endif
}

bool CToolFiles::WriteBelow(const std::string& strDir, const std::string& strName,
                            const std::vector<unsigned char>& data, std::string& strError) {
    std::string strRelative = strName;
    for (char& ch : strRelative)
        if (ch == '\\')
            ch = '/';
    fs::path path = fs::path(strDir) / fs::path(strRelative);
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::FILE* pFile = error ? nullptr : std::fopen(path.string().c_str(), "wb");
    bool bWritten =
        pFile != nullptr && std::fwrite(data.data(), 1, data.size(), pFile) == data.size();
    if (pFile != nullptr && std::fclose(pFile) != 0)
        bWritten = false;
    if (!bWritten)
        strError = path.string() + ": cannot be written";
    return bWritten;
}
