// tests/gui/driver/Window.h
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// A view of a window of another process, used as a person would use it: read
// what is shown, click what can be clicked, press keys. Never owns the HWND.
// Every message sent across the process boundary is bounded by a time-out.
class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Handle() const { return m_hwnd; }
    explicit operator bool() const { return Exists(); }
    bool Exists() const;
    DWORD ProcessId() const;
    DWORD ThreadId() const;
    int Id() const;
    std::string ClassName() const;
    std::string Text() const;
    bool IsVisible() const;
    bool IsEnabled() const;
    RECT ScreenRect() const;

    Window Item(int id) const;
    Window FindVisible(int id) const;
    std::vector<Window> Children() const;
    std::vector<Window> Descendants() const;

    bool Click() const;
    bool PressKey(UINT vk) const;
    bool PressAltF4() const;
    bool SysCommand(WPARAM command) const;
    bool Post(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool Sync() const;
    // Invalidates the whole window, background included, and has its thread
    // paint it again at once.
    bool Repaint() const;

private:
    HWND KeyboardTarget() const;

    HWND m_hwnd = nullptr;
};

} // namespace gui
