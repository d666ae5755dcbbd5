// tools/payload/commands/BuildCommand.cpp
#include "commands/BuildCommand.h"

#include "commands/InstallerFile.h"
#include "commands/PackCommand.h"
#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "pack/ArchiveWriter.h"
#include "pe/InstallerImage.h"

#include "archive/ArchiveFraming.h"
#include "archive/ArchiveMapping.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char kStubName[] = "setup-stub.exe";
const std::size_t kGzipTrailer = 8;
// The wizard's stub has less than 1 MB; a file much larger is no stub, and is
// not read into memory.
const std::uint64_t kLargestStub = 64u << 20;

// This program's own file: the C runtime's record of it on Windows, the
// kernel's link on Linux.
fs::path OwnProgram() {
#ifdef _WIN32
    return fs::path(_pgmptr);
#else
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
#endif
}

// Entries of an archive, the bytes their members decode to (their ISIZE
// fields) and the largest of them; false at the first break in the framing.
bool CountEntries(const SByteBlock& archive, SPackTotals& totals) {
    totals = SPackTotals();
    totals.nArchive = archive.nSize;
    for (std::uint64_t nAt = 0; nAt < archive.nSize;) {
        SEntryFraming framing = FrameEntry(archive.pData + nAt, archive.nSize - nAt);
        if (framing.nState != framingEntry || framing.nMemberLength < kGzipTrailer)
            return false;
        const std::uint32_t nSize =
            DecodeLittleEndian32(archive.pData + nAt + framing.EntrySize() - 4);
        if (totals.strLargest.empty() || nSize > totals.nLargest) {
            totals.strLargest.assign(archive.pData + nAt,
                                     archive.pData + nAt + framing.nNameLength);
            totals.nLargest = nSize;
        }
        nAt += framing.EntrySize();
        totals.nBytes += nSize;
        ++totals.nFiles;
    }
    return true;
}

} // namespace

int CBuildCommand::Run() {
    if (m_options.args.size() != 1 || m_options.strOutput.empty()) {
        std::fprintf(stderr, "payload: build takes SOURCE and -o OUTPUT.exe\n");
        return exitUsage;
    }
    // The stub first: a wrong one is said before a folder is packed.
    CInstallerImage image;
    if (!LoadStub(image))
        return exitFiles;
    const std::string& strSource = m_options.args[0];
    std::error_code error;
    return fs::is_directory(strSource, error) ? BuildFolder(image, strSource)
                                              : BuildArchive(image, strSource);
}

std::string CBuildCommand::StubPath() const {
    if (!m_options.strStub.empty())
        return m_options.strStub;
    return (OwnProgram().parent_path() / kStubName).string();
}

bool CBuildCommand::LoadStub(CInstallerImage& image) const {
    const std::string strStub = StubPath();
    std::vector<unsigned char> stub;
    std::string strError;
    const bool bRead = CToolFiles::ReadAll(strStub, kLargestStub, stub, strError);
    if (bRead && image.Load(std::move(stub), strError))
        return true;
    // A read error names the file already.
    std::fprintf(stderr, "payload: stub %s%s\n", bRead ? (strStub + ": ").c_str() : "",
                 strError.c_str());
    if (m_options.strStub.empty())
        std::fprintf(stderr, "payload: give the wizard's stub with --stub STUB\n");
    return false;
}

int CBuildCommand::BuildFolder(CInstallerImage& image, const std::string& strDir) {
    SToolOptions options = m_options;
    options.bInstaller = true;
    CPackCommand pack(options, false, image.GetImageSize());
    std::vector<SPackFile> files;
    int nExit = pack.Scan(strDir, m_options.strOutput, files);
    if (nExit != exitOk)
        return nExit;
    CInstallerFile file;
    if (!file.Open(m_options.strOutput, image)) {
        std::fprintf(stderr, "payload: %s.part: cannot be written\n", m_options.strOutput.c_str());
        return exitFiles;
    }
    CArchiveWriter writer(
        [&](const unsigned char* pData, std::size_t nSize) { return file.Write(pData, nSize); });
    SPackTotals totals;
    nExit = pack.Write(files, writer, m_options.strOutput, totals);
    if (nExit != exitOk)
        return nExit;
    return Plan(image, totals) ? Finish(image, file, totals) : exitFaults;
}

int CBuildCommand::BuildArchive(CInstallerImage& image, const std::string& strSource) {
    // An archive file too large for an installer is said from its size, before
    // it is mapped, which a 32-bit process could not do for one of 2 GiB.
    SPackTotals totals;
    std::error_code error;
    totals.nArchive = fs::file_size(strSource, error);
    if (!error && !CToolFiles::IsImage(strSource) && !CPackCommand::FitsInstaller(totals, 0))
        return exitFaults;
    // The mapping finds the payload and its entries and touches only their
    // headers; the payload's bytes are read from the file.
    CArchiveMapping mapping;
    SByteBlock archive;
    if (!CToolFiles::OpenArchive(mapping, strSource, archive))
        return exitFiles;
    if (!CountEntries(archive, totals)) {
        std::fprintf(stderr,
                     "payload: %s: not an archive; 'payload verify' tells where it breaks\n",
                     strSource.c_str());
        return exitFiles;
    }
    if (!Plan(image, totals))
        return exitFaults;
    CProgressMeter meter("build", m_options.bQuiet);
    CInstallerFile file;
    std::uint64_t nDone = 0;
    auto copy = [&](const unsigned char* pData, std::size_t nSize) {
        nDone += nSize;
        meter.Update(static_cast<int>(nDone * 100 / archive.nSize));
        return file.Write(pData, nSize);
    };
    std::string strError;
    if (!file.Open(m_options.strOutput, image) ||
        !CToolFiles::ReadPieces(
            strSource, static_cast<std::uint64_t>(archive.pData - mapping.GetBlock().pData),
            archive.nSize, copy, strError)) {
        std::fprintf(stderr, "payload: %s\n",
                     strError.empty() ? (m_options.strOutput + ".part: cannot be written").c_str()
                                      : strError.c_str());
        return exitFiles;
    }
    meter.Break();
    return Finish(image, file, totals);
}

bool CBuildCommand::Plan(CInstallerImage& image, const SPackTotals& totals) const {
    std::string strError;
    if (!image.Plan(totals.nArchive, strError)) {
        std::fprintf(stderr, "payload: %s, nothing written\n", strError.c_str());
        return false;
    }
    return CPackCommand::FitsInstaller(totals, image.GetImageSize());
}

int CBuildCommand::Finish(CInstallerImage& image, CInstallerFile& file,
                          const SPackTotals& totals) const {
    if (!file.Commit(image)) {
        std::fprintf(stderr, "payload: %s: cannot be written\n", m_options.strOutput.c_str());
        return exitFiles;
    }
    std::printf("build: %zu entries, %" PRIu64 " bytes into %s of %" PRIu64 " bytes\n",
                totals.nFiles, totals.nBytes, m_options.strOutput.c_str(), image.GetSize());
    return exitOk;
}
