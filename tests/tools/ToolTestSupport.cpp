// tests/tools/ToolTestSupport.cpp
#include "ToolTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>
#include <zlib.h>
#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tool_test {

namespace {

// The test runs under Wine as a Windows program: the build folder is on drive Z:.
std::string ProgramPath() {
    std::string strPath = PAYLOAD_PROGRAM;
#ifdef _WIN32
    for (char& ch : strPath)
        if (ch == '/')
            ch = '\\';
    strPath = "Z:" + strPath;
#endif
    return strPath;
}

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

} // namespace

SRun RunPayload(const std::string& strArguments) {
    CScratch scratch;
    std::string strCommand = Quoted(ProgramPath()) + " " + strArguments + " >" +
                             Quoted(scratch / "out") + " 2>" + Quoted(scratch / "err");
#ifdef _WIN32
    // cmd /c drops the first and the last quote of its command line.
    strCommand = "\"" + strCommand + "\"";
#endif
    int nStatus = std::system(strCommand.c_str());
    SRun run;
#ifdef _WIN32
    run.nExit = nStatus;
#else
    run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
#endif
    run.strOut = ReadFile(scratch / "out");
    run.strErr = ReadFile(scratch / "err");
    return run;
}

bool Has(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& strData) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << strData;
}

std::map<std::string, SFileDigest> DigestTree(const fs::path& root) {
    std::map<std::string, SFileDigest> tree;
    std::vector<char> buffer(1 << 20);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        SFileDigest digest = {0, static_cast<std::uint32_t>(crc32(0, Z_NULL, 0))};
        std::ifstream file(entry.path(), std::ios::binary);
        while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               file.gcount() > 0) {
            auto nRead = static_cast<uInt>(file.gcount());
            digest.nCrc = static_cast<std::uint32_t>(
                crc32(digest.nCrc, reinterpret_cast<const Bytef*>(buffer.data()), nRead));
            digest.nSize += nRead;
        }
        tree[entry.path().lexically_relative(root).generic_string()] = digest;
    }
    return tree;
}

CScratch::CScratch() {
    static std::atomic<int> s_nNext{0};
    m_root = fs::current_path() /
             ("payload-test-" + std::to_string(ProcessId()) + "-" + std::to_string(s_nNext++));
    fs::remove_all(m_root);
    fs::create_directories(m_root);
}

CScratch::~CScratch() {
    std::error_code error;
    fs::remove_all(m_root, error);
}

} // namespace tool_test
