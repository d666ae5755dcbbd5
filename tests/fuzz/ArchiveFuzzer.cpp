// tests/fuzz/ArchiveFuzzer.cpp: libFuzzer target over the archive walk and the
// decoding of its members.
//
// Every input is an archive, extracted into a scratch folder on the real file
// system. After each input the target holds only plain files and folders, the
// temporary folder is empty, nothing but the scratch folder and a sentinel file
// stands in the work folder, and the sentinel still holds its text. A fatal
// end of the installer (a directory that cannot be made) is a legitimate
// outcome and returns here instead of ending the process.
#include "archive/ArchiveRegistry.h"
#include "archive/PayloadArchive.h"
#include "archive/posix/PosixPlatform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

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

[[noreturn]] void Fail(const std::string& strWhat) {
    std::fprintf(stderr, "archive_fuzzer: %s\n", strWhat.c_str());
    std::abort();
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    SByteBlock block;
    block.pData = pData;
    block.nSize = nSize;
    RegisterArchive(kID, block);
    {
        CFuzzPlatform platform;
        CPayloadArchive archive(platform);
        if (!archive.Open(kID))
            Fail("a registered archive does not open");
        archive.SetTargetDir(Workspace().target.c_str());
        // Every entry consumes at least a name byte, the separator and the length.
        const std::size_t nMaxEntries = nSize / 13 + 1;
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
