// bench/write-floor.cpp: writes the files of a list from memory, with nothing to
// decode: the least that any installer must do under the same Wine.
//
//   write-floor.exe LIST FOLDER
//
// Each line of LIST is "SIZE PATH", PATH relative with '/' or '\'. Each file
// costs one CreateFileA, one WriteFile of all its bytes and one CloseHandle;
// each directory one CreateDirectoryA, the first time a file needs it.
// Exits with 0 when every file was written, 1 on the first failure, 2 on a
// wrong command line or an unreadable list.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

struct SFile {
    DWORD nSize;
    std::string strPath;
};

int Fail(const char* pszWhat, const std::string& strPath) {
    std::fprintf(stderr, "write-floor: %s %s failed (error %lu)\n", pszWhat, strPath.c_str(),
                 GetLastError());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: write-floor LIST FOLDER\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::fprintf(stderr, "write-floor: cannot read %s\n", argv[1]);
        return 2;
    }
    std::string strFolder = argv[2];
    if (strFolder.empty() || strFolder.back() != '\\')
        strFolder += '\\';

    std::vector<SFile> files;
    DWORD nLargest = 0;
    SFile file;
    while (list >> file.nSize && list.get() == ' ' && std::getline(list, file.strPath)) {
        std::replace(file.strPath.begin(), file.strPath.end(), '/', '\\');
        file.strPath.insert(0, strFolder);
        nLargest = std::max(nLargest, file.nSize);
        files.push_back(file);
    }
    if (!list.eof()) {
        std::fprintf(stderr, "write-floor: %s is not a list of \"SIZE PATH\" lines\n", argv[1]);
        return 2;
    }
    std::vector<char> data(nLargest);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7 + 1);

    std::set<std::string> made;
    for (const SFile& f : files) {
        // Every folder below FOLDER on the way to the file, outermost first.
        for (std::size_t n = f.strPath.find('\\', strFolder.size()); n != std::string::npos;
             n = f.strPath.find('\\', n + 1)) {
            const std::string strDir = f.strPath.substr(0, n);
            if (made.insert(strDir).second && !CreateDirectoryA(strDir.c_str(), nullptr) &&
                GetLastError() != ERROR_ALREADY_EXISTS)
                return Fail("CreateDirectoryA", strDir);
        }
        const HANDLE hFile = CreateFileA(f.strPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return Fail("CreateFileA", f.strPath);
        DWORD nWritten = 0;
        const BOOL bWritten =
            f.nSize == 0 || WriteFile(hFile, data.data(), f.nSize, &nWritten, nullptr);
        if (!CloseHandle(hFile) || !bWritten || (f.nSize != 0 && nWritten != f.nSize))
            return Fail("writing", f.strPath);
    }
    return 0;
}
