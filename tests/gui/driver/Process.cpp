// tests/gui/driver/Process.cpp
#include "Process.h"

#include <tlhelp32.h>

#include <cstring>

namespace gui {

namespace {

// The environment block of this process with some variables replaced:
// "NAME=value" strings one after another, ended by an empty string.
std::string MakeEnvironmentBlock(const Process::Environment& overrides) {
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
        bool replaced = false;
        for (const auto& [name, value] : overrides) {
            const std::string prefix = name + "=";
            replaced = replaced || _strnicmp(entry, prefix.c_str(), prefix.size()) == 0;
        }
        if (!replaced)
            block.append(entry).push_back('\0');
    }
    FreeEnvironmentStringsA(strings);
    for (const auto& [name, value] : overrides)
        block.append(name + "=" + value).push_back('\0');
    block.push_back('\0');
    return block;
}

BOOL CALLBACK CollectTopWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<Window>*>(param)->emplace_back(hwnd);
    return TRUE;
}

} // namespace

Process::~Process() {
    Terminate();
    if (m_info.hProcess != nullptr) {
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
}

bool Process::Start(const std::string& exe, const Environment& overrides) {
    if (m_info.hProcess != nullptr)
        return false;
    std::string commandLine = "\"" + exe + "\"";
    std::string environment = MakeEnvironmentBlock(overrides);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          environment.data(), nullptr, &startup, &m_info) != 0;
}

bool Process::IsRunning() const {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(Millis timeout) const {
    return m_info.hProcess != nullptr &&
           WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) ==
               WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess != nullptr)
        GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Terminate() {
    if (IsRunning()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

int Process::ThreadCount() const {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == Id() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

std::vector<Window> Process::TopWindows() const {
    std::vector<Window> all;
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<Window> mine;
    for (const Window& window : all) {
        if (window.ProcessId() == Id() && window.IsVisible())
            mine.push_back(window);
    }
    return mine;
}

Window Process::FindTopWindow(const std::function<bool(const Window&)>& match) const {
    for (const Window& window : TopWindows()) {
        if (match(window))
            return window;
    }
    return Window();
}

Window Process::WaitForTopWindow(const std::function<bool(const Window&)>& match,
                                 Millis timeout) const {
    Window found;
    WaitUntil([&] { return static_cast<bool>(found = FindTopWindow(match)); }, timeout);
    return found;
}

} // namespace gui
