// tests/fuzz/ArchiveFuzzer.cpp: libFuzzer target over the archive walk and the
// decoding of its members.
//
// Every input is an archive, extracted into a scratch folder on the real file
// system. After each input the target holds only plain files and folders, the
// temporary folder is empty, nothing but the scratch folder and a sentinel file
// stands in the work folder, and the sentinel still holds its text. A fatal
// end of the installer (a directory that cannot be made) is a legitimate
// outcome and returns here instead of ending the process.
//
// Before that, every input goes through the installer's walk with all file
// operations in memory and through the scanner of `payload list` and
// `payload verify`. Both must tell the same: for each entry the member it
// stages (offset and length) and the file it makes, or the name it refuses,
// then the progress; and at a break in the framing the same text for the
// same bytes. A difference is a finding.
//
// An input that is a PE image goes to `payload build` as its stub instead: a
// stub it takes must become an installer that gives its payload back and
// that it takes as a stub again.
#include "archive/ArchiveRegistry.h"
#include "archive/EntryName.h"
#include "archive/ForwardingPlatform.h"
#include "archive/PayloadArchive.h"
#include "archive/posix/PosixPlatform.h"
#include "pack/ArchiveScanner.h"
#include "pe/InstallerImage.h"
#include "tests/support/EngineTexts.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using test_support::Damaged;
using test_support::InvalidName;

namespace {

const UINT kID = 149;
const char kSentinelText[] = "outside the target: must never change\n";

struct SFatalExit {};

// The POSIX platform, quiet, with a fatal end that unwinds to the fuzzer.
class CFuzzPlatform : public CPosixPlatform {
public:
    void ShowMessage(const char*, const char*) override {}
    [[noreturn]] void ExitFatal(const char*) override { throw SFatalExit(); }
};

[[noreturn]] void Fail(const std::string& strWhat) {
    std::fprintf(stderr, "archive_fuzzer: %s\n", strWhat.c_str());
    std::abort();
}

// The walk in memory extracts below this folder and stages members in this file.
const char kMemoryTarget[] = "X:";
const char kMemoryTemp[] = "T1";

std::string MemberEvent(std::uint64_t nOffset, std::uint64_t nLength) {
    return "member " + std::to_string(nOffset) + " " + std::to_string(nLength);
}

std::string ProgressEvent(int nPercent) {
    return "progress " + std::to_string(nPercent);
}

// A message as the walk records it. The installer's texts show at most
// ENTRY_NAME_MAX + 1 bytes of a name, as a C string.
std::string MessageEvent(std::string (*pText)(const std::string&), const std::string& strName) {
    return "message " + pText(strName.substr(0, ENTRY_NAME_MAX + 1).c_str());
}

// Records what the installer's walk does, with every file operation in memory.
// A staged member reads back as an empty file (/dev/null, read and closed by
// the POSIX platform), so that each entry that is staged goes on to make its
// destination.
class CWalkRecorder : public CForwardingPlatform {
public:
    explicit CWalkRecorder(const unsigned char* pArchive)
        : CForwardingPlatform(CPlatform::GetDefault()), m_pArchive(pArchive) {}

    std::vector<std::string> events;

    BOOL PathExists(const char*) override { return FALSE; }
    EDirError MakeDirectory(const char*) override { return dirErrorNone; }
    void ShowMessage(const char* pszText, const char*) override {
        events.push_back(std::string("message ") + pszText);
    }
    [[noreturn]] void ExitFatal(const char* pszText) override {
        Fail(std::string("the walk in memory ended fatally: ") + pszText);
    }
    std::string GetTempName(const char*, const char*) override { return kMemoryTemp; }
    OUTPUTHANDLE CreateOutput(const char* pszPath, EFileError& error) override {
        error = fileErrorNone;
        events.push_back(std::string("file ") + pszPath);
        return 1;
    }
    BOOL WriteOutput(OUTPUTHANDLE, const void* pData, std::uint64_t nCount,
                     EFileError& error) override {
        error = fileErrorNone;
        events.push_back(MemberEvent(reinterpret_cast<std::uintptr_t>(pData) -
                                         reinterpret_cast<std::uintptr_t>(m_pArchive),
                                     nCount));
        return TRUE;
    }
    BOOL CloseOutput(OUTPUTHANDLE, EFileError& error) override {
        error = fileErrorNone;
        return TRUE;
    }
    OUTPUTHANDLE CreateTemporary(const char*, EFileError& error) override {
        error = fileErrorNone;
        return 1;
    }
    BOOL ReadBack(OUTPUTHANDLE, SInputFile& file) override {
        file.nDescriptor = open("/dev/null", O_RDONLY | O_CLOEXEC);
        file.nSize = 0;
        return file.nDescriptor >= 0;
    }

private:
    const unsigned char* m_pArchive;
};

std::vector<std::string> WalkInMemory(const SByteBlock& block, std::size_t nMaxEntries) {
    CWalkRecorder platform(block.pData);
    CPayloadArchive archive(platform);
    if (!archive.Open(kID))
        Fail("a registered archive does not open");
    archive.SetTargetDir(kMemoryTarget);
    std::size_t nEntries = 0;
    while (archive.ExtractNext()) {
        if (++nEntries > nMaxEntries)
            Fail("the walk in memory does not move forward");
        platform.events.push_back(ProgressEvent(archive.GetProgress()));
    }
    return platform.events;
}

// What the installer must do by the scanner's verdict.
std::vector<std::string> ScannerVerdict(const SByteBlock& block) {
    std::vector<std::string> events;
    CArchiveScanner scanner(block);
    SScanEntry entry;
    EFraming nState;
    while ((nState = scanner.Next(entry)) == framingEntry) {
        if (IsSafeEntryName(entry.strName)) {
            std::string strPath = std::string(kMemoryTarget) + "\\" + entry.strName;
            std::replace(strPath.begin(), strPath.end(), '/', '\\');
            events.push_back(MemberEvent(entry.pMember - block.pData, entry.nMemberLength));
            events.push_back("file " + strPath);
        } else {
            events.push_back(MessageEvent(InvalidName, entry.strName));
        }
        events.push_back(ProgressEvent(ConsumedPercent(scanner.GetPosition(), block.nSize)));
    }
    // Every break shows the same text: with the name, or where no separator
    // follows, with the bytes that are left.
    if (nState == framingNoSeparator)
        events.push_back(MessageEvent(
            Damaged, std::string(block.pData + scanner.GetPosition(), block.pData + block.nSize)));
    else if (nState != framingEnd)
        events.push_back(MessageEvent(Damaged, entry.strName));
    return events;
}

void CompareWalkAndScanner(const SByteBlock& block, std::size_t nMaxEntries) {
    const std::vector<std::string> walk = WalkInMemory(block, nMaxEntries);
    const std::vector<std::string> verdict = ScannerVerdict(block);
    if (walk == verdict)
        return;
    const auto diverge = std::mismatch(walk.begin(), walk.end(), verdict.begin(), verdict.end());
    Fail("the installer and the scanner differ at step " +
         std::to_string(diverge.first - walk.begin()) + ": walk \"" +
         (diverge.first == walk.end() ? "(nothing)" : *diverge.first) + "\", scanner \"" +
         (diverge.second == verdict.end() ? "(nothing)" : *diverge.second) + "\"");
}

struct SWorkspace {
    fs::path root;     // holds exactly the sentinel and the scratch folder
    fs::path sentinel; // beside the scratch folder
    fs::path scratch;
    fs::path target;
    fs::path temp;
};

SWorkspace& Workspace() {
    static SWorkspace s_workspace;
    return s_workspace;
}

void RemoveWorkspace() {
    std::error_code error;
    fs::remove_all(Workspace().root, error);
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CheckFolderHolds(const fs::path& folder, std::size_t nEntries) {
    const auto nFound = static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    if (nFound != nEntries)
        Fail(folder.string() + " holds " + std::to_string(nFound) + " entries");
}

void CheckWorkspace() {
    const SWorkspace& ws = Workspace();
    if (!fs::is_regular_file(fs::symlink_status(ws.sentinel)) ||
        ReadText(ws.sentinel) != kSentinelText)
        Fail("the sentinel beside the scratch folder changed");
    CheckFolderHolds(ws.root, 2);
    CheckFolderHolds(ws.scratch, 2);
    CheckFolderHolds(ws.temp, 0);
    for (const auto& entry : fs::recursive_directory_iterator(ws.target)) {
        const fs::file_status status = entry.symlink_status();
        if (!fs::is_regular_file(status) && !fs::is_directory(status))
            Fail(entry.path().string() + " is neither a file nor a folder");
    }
}

void EmptyTarget() {
    for (const auto& entry : fs::directory_iterator(Workspace().target))
        fs::remove_all(entry.path());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SWorkspace& ws = Workspace();
    ws.root = fs::temp_directory_path() / ("archive_fuzz_" + std::to_string(getpid()));
    ws.sentinel = ws.root / "sentinel.txt";
    ws.scratch = ws.root / "scratch";
    ws.target = ws.scratch / "target";
    ws.temp = ws.scratch / "tmp";
    fs::remove_all(ws.root);
    fs::create_directories(ws.target);
    fs::create_directories(ws.temp);
    std::ofstream(ws.sentinel, std::ios::binary) << kSentinelText;
    setenv("TMP", ws.temp.c_str(), 1);
    std::atexit(RemoveWorkspace);
    return 0;
}

void BuildFromStub(const std::uint8_t* pData, std::size_t nSize) {
    CInstallerImage image;
    std::string strError;
    if (!image.Load(std::vector<unsigned char>(pData, pData + nSize), strError))
        return;
    static const unsigned char s_payload[] = "a \\~#$&* \x01\0\0\0z";
    if (!image.Plan(s_payload, sizeof s_payload, strError))
        Fail("a stub taken cannot take a payload: " + strError);
    const std::vector<unsigned char> installer = image.ToBytes();
    const unsigned char* pPayload = nullptr;
    std::uint64_t nPayload = 0;
    if (installer.size() != image.GetSize() ||
        !CInstallerImage::FindPayload(installer.data(), installer.size(), pPayload, nPayload,
                                      strError) ||
        nPayload != sizeof s_payload || std::memcmp(pPayload, s_payload, sizeof s_payload) != 0)
        Fail("an installer does not give its payload back: " + strError);
    CInstallerImage again;
    if (!again.Load(installer, strError))
        Fail("an installer is no stub: " + strError);
    // build writes the head last, where the stub said the payload begins, and
    // sums the CheckSum piece by piece: as over the whole file.
    std::uint64_t nHead = 0;
    for (const CInstallerImage::SPiece& piece : image.GetHead())
        nHead += piece.nSize;
    CPeImage headers;
    if (nHead != image.GetPayloadOffset() ||
        !headers.Parse(installer.data(), installer.size(), strError))
        Fail("the payload does not begin where the stub said");
    std::vector<unsigned char> zeroed = installer;
    std::fill_n(zeroed.begin() + static_cast<std::ptrdiff_t>(headers.CheckSumField()), 4, 0);
    CPeChecksum whole;
    whole.Add(zeroed.data(), zeroed.size());
    if (whole.Finish() != headers.Read32(headers.CheckSumField()))
        Fail("the CheckSum differs from the whole file's");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    if (CPeImage::HasSignature(pData, nSize)) {
        BuildFromStub(pData, nSize);
        return 0;
    }
    SByteBlock block;
    block.pData = pData;
    block.nSize = nSize;
    RegisterArchive(kID, block);
    // Every entry consumes at least a name byte, the separator and the length.
    const std::size_t nMaxEntries = nSize / 13 + 1;
    CompareWalkAndScanner(block, nMaxEntries);
    {
        CFuzzPlatform platform;
        CPayloadArchive archive(platform);
        if (!archive.Open(kID))
            Fail("a registered archive does not open");
        archive.SetTargetDir(Workspace().target.c_str());
        std::size_t nEntries = 0;
        int nLastProgress = 0;
        try {
            while (archive.ExtractNext()) {
                const int nProgress = archive.GetProgress();
                if (++nEntries > nMaxEntries || nProgress < nLastProgress || nProgress > 100)
                    Fail("the walk does not move forward");
                nLastProgress = nProgress;
            }
            // Once at its end, the walk stays there.
            if (archive.ExtractNext())
                Fail("the walk goes on after its end");
        } catch (const SFatalExit&) {
        }
    }
    UnregisterArchive(kID);
    CheckWorkspace();
    EmptyTarget();
    return 0;
}
