// tests/gui/driver/Process.h
#pragma once

#include "Wait.h"
#include "Window.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gui {

// A program started under test in the same Wine prefix. A process that is
// still running when its object goes away is terminated, so a failed test
// leaves nothing behind.
class Process {
public:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Start(const std::string& exe, const Environment& overrides = {});
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    bool IsRunning() const;
    bool WaitForExit(Millis timeout) const;
    DWORD ExitCode() const;
    void Terminate();
    // The program's threads now, as a snapshot of the system lists them.
    int ThreadCount() const;

    std::vector<Window> TopWindows() const;
    Window FindTopWindow(const std::function<bool(const Window&)>& match) const;
    Window WaitForTopWindow(const std::function<bool(const Window&)>& match, Millis timeout) const;

private:
    PROCESS_INFORMATION m_info{};
};

} // namespace gui
