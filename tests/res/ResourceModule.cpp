// tests/res/ResourceModule.cpp
#include "ResourceModule.h"

#include <vector>

ResourceModule::ResourceModule(const std::string& path) {
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    if (path.empty()) {
        m_hModule = GetModuleHandleW(nullptr);
        buffer.resize(GetModuleFileNameW(nullptr, buffer.data(), buffer.size()));
    } else {
        buffer.resize(
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buffer.data(), buffer.size()));
        if (!buffer.empty())
            buffer.pop_back();
        m_bOwned = true;
        m_hModule = LoadLibraryExW(std::wstring(buffer.begin(), buffer.end()).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE);
    }
    m_strPath.assign(buffer.begin(), buffer.end());
}

ResourceModule::~ResourceModule() {
    if (m_bOwned && m_hModule)
        FreeLibrary(m_hModule);
}

std::optional<std::string_view> ResourceModule::Data(LPCWSTR type, LPCWSTR name,
                                                     WORD language) const {
    HRSRC hInfo = FindResourceExW(m_hModule, type, name, language);
    if (!hInfo)
        return std::nullopt;
    HGLOBAL hData = LoadResource(m_hModule, hInfo);
    const void* p = hData ? LockResource(hData) : nullptr;
    if (!p)
        return std::nullopt;
    return std::string_view(static_cast<const char*>(p), SizeofResource(m_hModule, hInfo));
}

std::wstring ResourceModule::String(UINT id) const {
    // With a buffer size of 0, LoadStringW hands out a read-only pointer into the
    // resource and the exact length, so nothing is cut short.
    const wchar_t* text = nullptr;
    int length = LoadStringW(m_hModule, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}
