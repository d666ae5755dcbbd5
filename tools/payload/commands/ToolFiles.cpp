// tools/payload/commands/ToolFiles.cpp
#include "commands/ToolFiles.h"

#include "pe/InstallerImage.h"
#include "pe/PeImage.h"

#include "archive/ArchivFormat.h"
#include "archive/ArchiveRegistry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

std::string CToolFiles::DescribeUnreadable(const std::string& strPath) {
    std::error_code error;
    if (fs::is_directory(strPath, error))
        return strPath + ": is a directory";
    errno = 0;
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    int nErrno = errno;
    if (pFile != nullptr) {
        std::fclose(pFile);
        return strPath + ": cannot be mapped";
    }
    return strPath + ": " + std::strerror(nErrno);
}

bool CToolFiles::ReadAll(const std::string& strPath, std::vector<unsigned char>& data,
                         std::string& strError) {
    std::error_code error;
    auto nSize = fs::file_size(strPath, error);
    std::FILE* pFile = error ? nullptr : std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) {
        strError = DescribeUnreadable(strPath);
        return false;
    }
    data.resize(nSize);
    bool bRead = std::fread(data.data(), 1, data.size(), pFile) == data.size();
    std::fclose(pFile);
    if (!bRead)
        strError = strPath + ": read error";
    return bRead;
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
