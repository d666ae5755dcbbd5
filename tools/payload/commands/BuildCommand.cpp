// tools/payload/commands/BuildCommand.cpp
#include "commands/BuildCommand.h"

#include "commands/PackCommand.h"
#include "commands/ProgressMeter.h"
#include "commands/ToolFiles.h"
#include "pack/PartFile.h"
#include "pe/InstallerImage.h"
#include "pe/PayloadLimits.h"

#include "archive/ArchiveFraming.h"
#include "archive/ArchiveMapping.h"

#include <algorithm>
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

// Writes the installer's pieces into strPath, in chunks that move the meter.
bool WriteInstaller(const CInstallerImage& image, const std::string& strPath,
                    CProgressMeter& meter) {
    static const unsigned char s_zeros[4096] = {};
    const std::size_t nChunk = 4 << 20;
    CPartFile file;
    bool bWritten = file.Open(strPath);
    const std::uint64_t nTotal = image.GetSize();
    std::uint64_t nDone = 0;
    for (const CInstallerImage::SPiece& piece : image.GetPieces()) {
        for (std::uint64_t nAt = 0; bWritten && nAt < piece.nSize;) {
            std::size_t nStep = static_cast<std::size_t>(std::min<std::uint64_t>(
                piece.nSize - nAt, piece.pData != nullptr ? nChunk : sizeof s_zeros));
            const unsigned char* pBytes = piece.pData != nullptr ? piece.pData + nAt : s_zeros;
            bWritten = file.Write(pBytes, nStep);
            nAt += nStep;
            nDone += nStep;
            meter.Update(static_cast<int>(nDone * 100 / nTotal));
        }
    }
    return bWritten && file.Commit();
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
    if (!fs::is_directory(strSource, error))
        return Build(image, strSource, nullptr);
    std::string strArchive;
    SPackTotals totals;
    int nExit = PackFolder(strSource, strArchive, totals);
    if (nExit == exitOk)
        nExit = Build(image, strArchive, &totals);
    fs::remove(strArchive, error);
    return nExit;
}

std::string CBuildCommand::StubPath() const {
    if (!m_options.strStub.empty())
        return m_options.strStub;
    return (OwnProgram().parent_path() / kStubName).string();
}

int CBuildCommand::PackFolder(const std::string& strDir, std::string& strArchive,
                              SPackTotals& totals) {
    SToolOptions options = m_options;
    options.bInstaller = true;
    strArchive = m_options.strOutput + ".archive";
    return CPackCommand(options, false).Pack(strDir, strArchive, totals);
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

int CBuildCommand::Build(CInstallerImage& image, const std::string& strArchive,
                         const SPackTotals* pPacked) {
    std::string strError;
    // An archive file too large for an installer is said from its size, before
    // it is mapped, which a 32-bit process could not do for one of 2 GiB.
    std::error_code error;
    SPackTotals sized;
    sized.nArchive = fs::file_size(strArchive, error);
    if (!error && !CToolFiles::IsImage(strArchive) && !CPackCommand::FitsInstaller(sized, 0))
        return exitFaults;
    CArchiveMapping mapping;
    SByteBlock archive;
    if (!CToolFiles::OpenArchive(mapping, strArchive, archive))
        return exitFiles;
    if (!image.Plan(archive.pData, archive.nSize, strError)) {
        std::fprintf(stderr, "payload: %s, nothing written\n", strError.c_str());
        return exitFaults;
    }
    SPackTotals totals;
    if (pPacked != nullptr) {
        totals = *pPacked;
    } else if (!CountEntries(archive, totals)) {
        std::fprintf(stderr,
                     "payload: %s: not an archive; 'payload verify' tells where it breaks\n",
                     strArchive.c_str());
        return exitFiles;
    }
    if (!CPackCommand::FitsInstaller(totals, image.GetImageSize()))
        return exitFaults;
    CProgressMeter meter("build", m_options.bQuiet);
    if (!WriteInstaller(image, m_options.strOutput, meter)) {
        std::fprintf(stderr, "payload: %s: cannot be written\n", m_options.strOutput.c_str());
        return exitFiles;
    }
    meter.Break();
    std::printf("build: %zu entries, %" PRIu64 " bytes into %s of %" PRIu64 " bytes\n",
                totals.nFiles, totals.nBytes, m_options.strOutput.c_str(), image.GetSize());
    return exitOk;
}
