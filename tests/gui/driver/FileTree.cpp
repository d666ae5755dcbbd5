// tests/gui/driver/FileTree.cpp
#include "FileTree.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace gui::FileTree {

namespace {

// By the wide name: a name need not fit the ANSI code page.
std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/')
            c = '\\';
    }
    return windows;
}

bool Remove(const std::string& folder) {
    std::error_code error;
    if (!fs::exists(folder, error))
        return true;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder, error);
    return !fs::exists(folder, error);
}

bool MakeFresh(const std::string& folder) {
    std::error_code error;
    return Remove(folder) && (fs::create_directories(folder, error) || fs::is_directory(folder));
}

std::map<std::string, uintmax_t> ListFiles(const std::string& folder) {
    std::map<std::string, uintmax_t> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (!entry.is_regular_file())
            continue;
        std::string relative = fs::relative(entry.path(), folder).u8string();
        for (char& c : relative) {
            if (c == '/')
                c = '\\';
        }
        files[relative] = entry.file_size();
    }
    return files;
}

std::vector<std::string> Compare(const std::string& expected, const std::string& actual,
                                 size_t limit) {
    std::vector<std::string> differences;
    const auto note = [&](const std::string& line) {
        if (differences.size() < limit)
            differences.push_back(line);
    };
    const auto wanted = ListFiles(expected);
    const auto found = ListFiles(actual);
    for (const auto& [name, size] : wanted) {
        const auto it = found.find(name);
        if (it == found.end())
            note("missing: " + name);
        else if (it->second != size || Contents(fs::path(expected) / fs::u8path(name)) !=
                                           Contents(fs::path(actual) / fs::u8path(name)))
            note("differs: " + name);
    }
    for (const auto& [name, size] : found) {
        if (wanted.count(name) == 0)
            note("surplus: " + name);
    }
    return differences;
}

bool WriteFile(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return static_cast<bool>(file);
}

std::string ReadFile(const std::string& path) {
    return Contents(path);
}

} // namespace gui::FileTree
