// tools/payload/commands/PackCommand.cpp
#include "commands/PackCommand.h"

#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "pack/ArchiveWriter.h"
#include "pack/NameCheck.h"
#include "pack/PackPipeline.h"
#include "pack/PartFile.h"
#include "pe/PayloadLimits.h"

#include "archive/ArchiveFraming.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// A name's bytes with those outside printable ASCII as \xHH.
std::string Escaped(const std::string& strName) {
    std::string strEscaped;
    for (const char ch : strName) {
        const unsigned char c = static_cast<unsigned char>(ch);
        char szHex[5];
        std::snprintf(szHex, sizeof szHex, "\\x%02X", c);
        strEscaped += c >= 0x20 && c < 0x7F ? std::string(1, ch) : szHex;
    }
    return strEscaped;
}

// The name as the maker sees it and why it does not convert to code page 1252.
std::string DescribeUnconverted(const SPackFile& file) {
    if (file.name.nFault == cp1252NotUtf8)
        return "\"" + Escaped(file.strFound) + "\": not UTF-8";
    char szCode[16];
    std::snprintf(szCode, sizeof szCode, "U+%04" PRIX32, file.name.nCodePoint);
    return "\"" + file.strFound + "\": " + szCode + " \"" + file.name.strCharacter +
           "\" is not in code page 1252, in which the installer stores names";
}

} // namespace

int CPackCommand::Run() {
    if (m_options.args.size() != 2) {
        std::fprintf(stderr, "payload: pack takes DIR and ARCHIVE\n");
        return exitUsage;
    }
    const std::string& strArchive = m_options.args[1];
    std::vector<SPackFile> files;
    int nExit = Scan(m_options.args[0], strArchive, files);
    if (nExit != exitOk)
        return nExit;
    CPartFile file;
    if (!file.Open(strArchive)) {
        std::fprintf(stderr, "payload: %s.part: cannot be written\n", strArchive.c_str());
        return exitFiles;
    }
    CArchiveWriter writer(
        [&](const unsigned char* pData, std::size_t nSize) { return file.Write(pData, nSize); });
    SPackTotals totals;
    nExit = Write(files, writer, strArchive, totals);
    if (nExit == exitOk && m_options.bInstaller &&
        !FitsInstaller(totals, m_nWizardImage + totals.nArchive))
        nExit = exitFaults;
    if (nExit == exitOk && !file.Commit()) {
        std::fprintf(stderr, "payload: %s: cannot be written\n", strArchive.c_str());
        nExit = exitFiles;
    }
    if (nExit == exitOk)
        std::printf("pack: %zu files, %" PRIu64 " bytes into %s of %" PRIu64 " bytes\n",
                    totals.nFiles, totals.nBytes, strArchive.c_str(), totals.nArchive);
    return nExit;
}

int CPackCommand::Scan(const std::string& strDir, const std::string& strOutput,
                       std::vector<SPackFile>& files) {
    const int nExit = Collect(strDir, strOutput, files);
    return nExit == exitOk ? Refuse(files) : nExit;
}

int CPackCommand::Collect(const std::string& strDir, const std::string& strOutput,
                          std::vector<SPackFile>& files) {
    std::error_code error;
    if (!fs::is_directory(strDir, error)) {
        std::fprintf(stderr, "payload: %s: not a directory\n", strDir.c_str());
        return exitFiles;
    }
    fs::path archive = fs::weakly_canonical(strOutput, error);
    fs::recursive_directory_iterator it(strDir, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::file_status status = it->symlink_status(error);
        if (error || fs::is_directory(status))
            continue;
        if (!fs::is_regular_file(status)) {
            std::fprintf(stderr, "payload: %s: skipped, not a regular file\n",
                         it->path().string().c_str());
            continue;
        }
        if (fs::weakly_canonical(it->path(), error) == archive)
            continue;
        // As UTF-8 on every system: Windows gives its wide names, Linux its bytes.
        std::string strFound = it->path().lexically_relative(strDir).generic_u8string();
        // Both separators are path separators to the installer: a backslash
        // inside a file name of this system would split it.
        bool bSplit = it->path().filename().u8string().find('\\') != std::string::npos;
        std::replace(strFound.begin(), strFound.end(), '/', '\\');
        files.push_back(
            {Utf8ToCp1252(strFound), strFound, it->path(), it->file_size(error), bSplit});
    }
    if (error) {
        std::fprintf(stderr, "payload: %s: %s\n", strDir.c_str(), error.message().c_str());
        return exitFiles;
    }
    // Byte order of the stored names; the names as found order those that did not convert.
    std::sort(files.begin(), files.end(), [](const SPackFile& a, const SPackFile& b) {
        return std::tie(a.name.strText, a.strFound) < std::tie(b.name.strText, b.strFound);
    });
    return exitOk;
}

int CPackCommand::Refuse(const std::vector<SPackFile>& files) {
    CNameCheck names;
    int nRefused = 0;
    for (const SPackFile& file : files) {
        if (file.name.nFault != cp1252Ok) {
            std::fprintf(stderr, "payload: refused %s\n", DescribeUnconverted(file).c_str());
            ++nRefused;
            continue;
        }
        const std::string& strName = file.name.strText;
        const char* pszFault = file.bSplit ? "backslash in a file name" : names.Check(strName);
        if (pszFault == nullptr && file.nSize > kLargestStorableFile)
            pszFault = "4 GiB or more: the archive's 32-bit length field and FAT32 cards "
                       "hold no such file";
        if (pszFault == nullptr && file.nSize > kLargestDecodableFile)
            pszFault = "larger than the 2 GiB the installer can decode";
        std::string strFault;
        if (pszFault == nullptr && m_options.bInstaller &&
            file.nSize > LargestInstallerFile(m_nWizardImage)) {
            strFault = "larger than a 32-bit installer can decode beside the wizard alone (" +
                       std::to_string(LargestInstallerFile(m_nWizardImage)) + " bytes)";
            pszFault = strFault.c_str();
        }
        if (pszFault != nullptr) {
            std::fprintf(stderr, "payload: refused \"%s\": %s\n",
                         CToolFiles::SystemName(strName).c_str(), pszFault);
            ++nRefused;
        }
    }
    if (nRefused != 0)
        std::fprintf(stderr, "payload: %d file%s refused, nothing written\n", nRefused,
                     nRefused == 1 ? "" : "s");
    return nRefused == 0 ? exitOk : exitFaults;
}

int CPackCommand::Write(const std::vector<SPackFile>& files, CArchiveWriter& writer,
                        const std::string& strOutput, SPackTotals& totals) {
    std::uint64_t nPlanned = 0;
    for (const SPackFile& file : files)
        nPlanned += file.nSize;
    CProgressMeter meter("pack", m_options.bQuiet || m_bListFiles);
    totals = SPackTotals();
    totals.nFiles = files.size();
    auto source = [&](std::size_t i, const BytesSink& sink, std::string& strError) {
        // A file that changed since it was scanned would pass the checks made then.
        if (!CToolFiles::ReadPieces(files[i].path, 0, files[i].nSize, sink, strError))
            return false;
        std::error_code error;
        if (fs::file_size(files[i].path, error) == files[i].nSize)
            return true;
        strError = files[i].path.string() + ": changed while it was packed";
        return false;
    };
    auto sink = [&](std::size_t i, const SPackResult& member, std::string& strError) {
        const std::string& strName = files[i].name.strText;
        totals.nArchive += strName.size() + ARCHIV_HEADER_EXTRA + member.nSize;
        // Past the limit the members are only measured.
        if (totals.nArchive <= Limit() && !writer.AddEntry(strName, member)) {
            strError = strOutput + ".part: cannot be written";
            return false;
        }
        totals.nBytes += files[i].nSize;
        if (totals.strLargest.empty() || files[i].nSize > totals.nLargest) {
            totals.strLargest = strName;
            totals.nLargest = files[i].nSize;
        }
        if (m_bListFiles && !m_options.bQuiet)
            std::printf("%12" PRIu64 " -> %10" PRIu64 "  %s\n", files[i].nSize, member.nSize,
                        CToolFiles::SystemName(strName).c_str());
        meter.Update(nPlanned == 0 ? 100 : static_cast<int>(totals.nBytes * 100 / nPlanned));
        return true;
    };
    std::string strError;
    CPackPipeline pipeline(strOutput + ".tmp", true, [&](std::size_t i) {
        return "\"" + CToolFiles::SystemName(files[i].name.strText) + "\"";
    });
    if (!pipeline.Run(files.size(), source, sink, strError)) {
        std::fprintf(stderr, "payload: %s\n", strError.c_str());
        return exitFiles;
    }
    return exitOk;
}

bool CPackCommand::FitsInstaller(const SPackTotals& totals, std::uint64_t nImage,
                                 const char* pszEnd) {
    if (totals.nArchive > kInstallerPayloadLimit) {
        std::fprintf(stderr,
                     "payload: the archive has %" PRIu64 " bytes; a 32-bit installer carries "
                     "at most %" PRIu64 "%s\n",
                     totals.nArchive, kInstallerPayloadLimit, pszEnd);
        return false;
    }
    const std::uint64_t nCarried = LargestInstallerFile(nImage);
    if (totals.nLargest <= nCarried)
        return true;
    std::fprintf(stderr,
                 "payload: refused \"%s\" of %" PRIu64 " bytes: the largest file this installer "
                 "could carry has %" PRIu64 " bytes (a 32-bit installer decodes a file in one "
                 "block, beside its image of %" PRIu64 " bytes)%s\n",
                 CToolFiles::SystemName(totals.strLargest).c_str(), totals.nLargest, nCarried,
                 nImage, pszEnd);
    return false;
}

std::uint64_t CPackCommand::Limit() const {
    return m_options.bInstaller ? kInstallerPayloadLimit : UINT64_MAX;
}
