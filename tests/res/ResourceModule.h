// tests/res/ResourceModule.h: the program whose resources a test reads.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

constexpr WORD kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

class ResourceModule {
public:
    // Opens the program at path as a data file, without running any of its code;
    // an empty path means this test program, which links the resources itself.
    explicit ResourceModule(const std::string& path);
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    HMODULE Handle() const { return m_hModule; }
    const std::wstring& Path() const { return m_strPath; }
    // The bytes of one resource in one language; nullopt when it is missing.
    std::optional<std::string_view> Data(LPCWSTR type, LPCWSTR name, WORD language) const;
    // A string table entry as LoadStringW returns it (length 0 for a missing id).
    std::wstring String(UINT id) const;

private:
    HMODULE m_hModule = nullptr;
    bool m_bOwned = false;
    std::wstring m_strPath;
};

// The module under test, chosen by the command line (see ResourceTestMain.cpp).
const ResourceModule& TestModule();
// The payload archive the module must embed; empty when not given.
const std::string& TestPayloadPath();
