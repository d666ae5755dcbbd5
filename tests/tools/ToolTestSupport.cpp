// tests/tools/ToolTestSupport.cpp
#include "ToolTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
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

std::string MakeStub(bool bPlus) {
    std::string image(kStubSymbols + 16, '\0');
    auto put = [&](std::size_t nAt, std::uint32_t nValue, int nBytes) {
        for (int i = 0; i < nBytes; ++i)
            image[nAt + i] = static_cast<char>(nValue >> (8 * i));
    };
    image.replace(0, 2, "MZ");
    put(60, 0x40, 4);
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::size_t nOptional = 0x58;
    const std::size_t nDirectories = nOptional + (bPlus ? 112 : 96);
    put(0x44, bPlus ? 0x8664 : 0x14C, 2);
    put(0x46, 3, 2);
    put(0x4C, kStubSymbols, 4);
    put(0x54, static_cast<std::uint32_t>(nDirectories + 128 - nOptional), 2);
    put(nOptional, bPlus ? 0x20B : 0x10B, 2);
    put(nOptional + 8, 0x400, 4);   // SizeOfInitializedData
    put(nOptional + 32, 0x1000, 4); // SectionAlignment
    put(nOptional + 36, 0x200, 4);  // FileAlignment
    put(nOptional + 56, 0x4000, 4); // SizeOfImage
    put(nOptional + 60, 0x400, 4);  // SizeOfHeaders
    put(nOptional + 68, 2, 2);      // GUI
    put(nDirectories - 4, 16, 4);
    put(nDirectories + 2 * 8, 0x2000, 4); // resources
    put(nDirectories + 2 * 8 + 4, 0xE0, 4);
    put(nDirectories + 5 * 8, 0x3000, 4); // relocations
    put(nDirectories + 5 * 8 + 4, 12, 4);
    const char* sections[] = {".text", ".rsrc", ".reloc"};
    const std::uint32_t flags[] = {0x60000020, 0x40000040, 0x42000040};
    for (std::uint32_t i = 0; i < 3; ++i) {
        std::size_t nHeader = nDirectories + 128 + 40 * i;
        image.replace(nHeader, std::strlen(sections[i]), sections[i]);
        put(nHeader + 8, 0x200, 4);
        put(nHeader + 12, 0x1000 * (i + 1), 4);
        put(nHeader + 16, 0x200, 4);
        put(nHeader + 20, 0x400 + 0x200 * i, 4);
        put(nHeader + 36, flags[i], 4);
    }
    // The resource directory: root, the two types, the two names, two data
    // entries, the type name, the version's bytes.
    const std::size_t r = kStubResources;
    const std::uint32_t kDir = 0x80000000;
    put(r + 12, 1, 2);
    put(r + 14, 1, 2);
    put(r + 16, kDir | 0xA0, 4);
    put(r + 20, kDir | 0x20, 4);
    put(r + 24, 16, 4);
    put(r + 28, kDir | 0x38, 4);
    put(r + 0x20 + 14, 1, 2);
    put(r + 0x30, 149, 4);
    put(r + 0x34, kDir | 0x50, 4);
    put(r + 0x38 + 14, 1, 2);
    put(r + 0x48, 1, 4);
    put(r + 0x4C, kDir | 0x68, 4);
    put(r + 0x50 + 14, 1, 2);
    put(r + 0x60, 1031, 4);
    put(r + 0x64, 0x80, 4);
    put(r + 0x68 + 14, 1, 2);
    put(r + 0x78, 1031, 4);
    put(r + 0x7C, 0x90, 4);
    put(r + 0x80, 0x20E0, 4); // the empty archive, at the section's end of data
    put(r + 0x90, 0x20C0, 4);
    put(r + 0x94, static_cast<std::uint32_t>(std::strlen(kStubVersion)), 4);
    put(r + 0x98, 1252, 4);
    const char szType[] = "RT_ARCHIV";
    put(r + 0xA0, 9, 2);
    for (std::size_t i = 0; i < 9; ++i)
        put(r + 0xA2 + 2 * i, static_cast<unsigned char>(szType[i]), 2);
    image.replace(r + 0xC0, std::strlen(kStubVersion), kStubVersion);
    put(kStubRelocations, 0x1000, 4); // one block: page 0x1000, one HIGHLOW entry
    put(kStubRelocations + 4, 12, 4);
    put(kStubRelocations + 8, 0x3010, 2);
    image.replace(kStubSymbols, 16, "symbols+strings.");
    return image;
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
