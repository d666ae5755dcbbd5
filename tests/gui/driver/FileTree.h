// tests/gui/driver/FileTree.h
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace gui {

// Folders as the tests see them through Wine.
namespace FileTree {

// A Unix path ("/work/x") as Wine's drive Z: shows it ("Z:\work\x"); any
// other path is returned unchanged.
std::string WindowsPath(const std::string& path);

// Deletes a folder with everything in it, read-only files included.
bool Remove(const std::string& folder);
// An empty folder, whatever was there before.
bool MakeFresh(const std::string& folder);

// Every file below the folder: relative path in UTF-8 with backslashes -> size.
std::map<std::string, uintmax_t> ListFiles(const std::string& folder);
// What differs between two trees: missing, surplus and changed files (at most
// `limit` lines); empty when they hold the same files byte for byte.
std::vector<std::string> Compare(const std::string& expected, const std::string& actual,
                                 size_t limit = 20);

bool WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);

} // namespace FileTree

} // namespace gui
