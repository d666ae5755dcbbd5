// tests/gui/TestPaths.cpp
#include "TestPaths.h"

#include "FileTree.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace gui::TestPaths {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : FileTree::WindowsPath(value);
}

std::string Drive() {
    return FromEnvironment("GUI_DRIVE");
}

std::string FreshScratch(const std::string& name) {
    const std::string folder = FromEnvironment("GUI_SCRATCH") + "\\" + name;
    FileTree::MakeFresh(folder);
    return folder;
}

std::string Screen(const std::string& fileName) {
    const std::string folder = FromEnvironment("GUI_SCREENS");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder + "\\" + fileName;
}

} // namespace gui::TestPaths
