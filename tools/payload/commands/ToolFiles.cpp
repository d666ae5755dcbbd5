// tools/payload/commands/ToolFiles.cpp
#include "commands/ToolFiles.h"

#include "pe/InstallerImage.h"
#include "pe/PayloadLimits.h"
#include "pe/PeImage.h"

#include "archive/ArchivFormat.h"
#include "archive/ArchiveRegistry.h"
#include "archive/CodePage1252.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A 32-bit process maps a file into one free range of its address space, and
// the largest lies between its image and the system's DLLs (1,276 MiB at best,
// as the README derives it): every installer, at most 1 GiB of archive and the
// wizard, fits with room to spare. A 64-bit process maps anything.
const std::uint64_t kLargestMapping =
    sizeof(void*) == 4 ? kInstallerPayloadLimit + (64u << 20) : UINT64_MAX;

} // namespace

bool CToolFiles::OpenArchive(CArchiveMapping& mapping, const std::string& strPath,
                             SByteBlock& archive) {
    std::error_code error;
    const std::uint64_t nSize = fs::file_size(strPath, error);
    if (!error && nSize > kLargestMapping) {
        std::fprintf(stderr,
                     "payload: %s: %" PRIu64 " bytes; this 32-bit program reads archives and "
                     "installers of at most %" PRIu64 " bytes (the Linux tool reads any)\n",
                     strPath.c_str(), nSize, kLargestMapping);
        return false;
    }
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

bool CToolFiles::ReadAll(const fs::path& path, std::uint64_t nLimit,
                         std::vector<unsigned char>& data, std::string& strError) {
    std::error_code error;
    const std::uint64_t nSize = fs::file_size(path, error);
    if (!error && (nSize > nLimit || nSize > SIZE_MAX)) {
        strError = path.string() + ": " + std::to_string(nSize) + " bytes; at most " +
                   std::to_string(std::min<std::uint64_t>(nLimit, SIZE_MAX)) + " are read";
        return false;
    }
    std::ifstream file;
    if (!error)
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        strError = DescribeUnreadable(path);
        return false;
    }
    data.resize(static_cast<std::size_t>(nSize));
    if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(nSize))) {
        strError = path.string() + ": read error";
        return false;
    }
    return true;
}

bool CToolFiles::ReadPieces(const fs::path& path, std::uint64_t nOffset, std::uint64_t nSize,
                            const BytesSink& sink, std::string& strError) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        strError = DescribeUnreadable(path);
        return false;
    }
    bool bRead = static_cast<bool>(file.seekg(static_cast<std::streamoff>(nOffset)));
    const std::size_t nPiece =
        static_cast<std::size_t>(std::min<std::uint64_t>(nSize, SPackResult::kPiece));
    std::unique_ptr<unsigned char[]> pPiece(new unsigned char[nPiece]);
    bool bTaken = true;
    for (std::uint64_t nLeft = nSize; bRead && bTaken && nLeft != 0;) {
        const std::size_t nStep = static_cast<std::size_t>(std::min<std::uint64_t>(nLeft, nPiece));
        bRead = static_cast<bool>(
            file.read(reinterpret_cast<char*>(pPiece.get()), static_cast<std::streamsize>(nStep)));
        bTaken = bRead && sink(pPiece.get(), nStep);
        nLeft -= nStep;
    }
    if (!bRead)
        strError = path.string() + ": read error, or the file is shorter than it was";
    return bRead && bTaken;
}

bool CToolFiles::IsImage(const std::string& strPath) {
    unsigned char head[4096];
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr)
        return false;
    const std::size_t nRead = std::fread(head, 1, sizeof head, pFile);
    std::fclose(pFile);
    return CPeImage::HasSignature(head, nRead);
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
