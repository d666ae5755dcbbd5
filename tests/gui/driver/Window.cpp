// tests/gui/driver/Window.cpp
#include "Window.h"

namespace gui {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<Window>*>(param)->emplace_back(hwnd);
    return TRUE;
}

LPARAM KeyLParam(UINT vk, bool up, bool alt) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    LPARAM lParam = 1 | scan;
    if (alt)
        lParam |= 0x20000000; // context code: Alt is held
    if (up)
        lParam |= static_cast<LPARAM>(0xC0000000u);
    return lParam;
}

} // namespace

bool Window::Exists() const {
    return m_hwnd != nullptr && IsWindow(m_hwnd);
}

DWORD Window::ProcessId() const {
    DWORD pid = 0;
    if (Exists())
        GetWindowThreadProcessId(m_hwnd, &pid);
    return pid;
}

DWORD Window::ThreadId() const {
    return Exists() ? GetWindowThreadProcessId(m_hwnd, nullptr) : 0;
}

int Window::Id() const {
    return Exists() ? GetDlgCtrlID(m_hwnd) : 0;
}

std::string Window::ClassName() const {
    char name[256] = "";
    if (Exists())
        GetClassNameA(m_hwnd, name, sizeof name);
    return name;
}

std::string Window::Text() const {
    const LRESULT length = Send(WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

bool Window::IsVisible() const {
    return Exists() && IsWindowVisible(m_hwnd);
}

// A person can use a control only while it and every window around it are enabled.
bool Window::IsEnabled() const {
    for (HWND hwnd = m_hwnd; hwnd != nullptr; hwnd = GetAncestor(hwnd, GA_PARENT)) {
        if (!IsWindowEnabled(hwnd))
            return false;
        if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return Exists();
}

RECT Window::ScreenRect() const {
    RECT rect{};
    if (Exists())
        GetWindowRect(m_hwnd, &rect);
    return rect;
}

Window Window::Item(int id) const {
    return Window(Exists() ? GetDlgItem(m_hwnd, id) : nullptr);
}

Window Window::FindVisible(int id) const {
    for (const Window& window : Descendants()) {
        if (window.Id() == id && window.IsVisible())
            return window;
    }
    return Window();
}

std::vector<Window> Window::Children() const {
    std::vector<Window> children;
    for (const Window& window : Descendants()) {
        if (GetAncestor(window.Handle(), GA_PARENT) == m_hwnd)
            children.push_back(window);
    }
    return children;
}

std::vector<Window> Window::Descendants() const {
    std::vector<Window> windows;
    if (Exists())
        EnumChildWindows(m_hwnd, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// BM_CLICK is posted, not sent: the click may open a modal box, and a sent
// message would not return before that box is closed. BM_CLICK also presses
// disabled and hidden buttons, which no person could, so those are refused.
bool Window::Click() const {
    if (!IsVisible() || !IsEnabled())
        return false;
    return Post(BM_CLICK, 0, 0);
}

bool Window::PressKey(UINT vk) const {
    const HWND target = KeyboardTarget();
    return PostMessageA(target, WM_KEYDOWN, vk, KeyLParam(vk, false, false)) &&
           PostMessageA(target, WM_KEYUP, vk, KeyLParam(vk, true, false));
}

// Alt+F4 arrives as WM_SYSKEYDOWN with the Alt context bit; the default window
// procedure turns it into SC_CLOSE for the top-level window.
bool Window::PressAltF4() const {
    const HWND target = KeyboardTarget();
    return PostMessageA(target, WM_SYSKEYDOWN, VK_F4, KeyLParam(VK_F4, false, true)) &&
           PostMessageA(target, WM_SYSKEYUP, VK_F4, KeyLParam(VK_F4, true, true));
}

bool Window::SysCommand(WPARAM command) const {
    return Post(WM_SYSCOMMAND, command, 0);
}

bool Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    return Exists() && PostMessageA(m_hwnd, message, wParam, lParam);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!Exists() || !SendMessageTimeoutA(m_hwnd, message, wParam, lParam,
                                          SMTO_BLOCK | SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

// Returns once the window's thread has handled everything posted before.
bool Window::Sync() const {
    DWORD_PTR result = 0;
    return Exists() &&
           SendMessageTimeoutA(m_hwnd, WM_NULL, 0, 0, SMTO_BLOCK, kSendTimeoutMs, &result) != 0;
}

// As UpdateWindow does it: WM_PAINT sent straight to the window, whose
// BeginPaint paints and validates what was invalidated.
bool Window::Repaint() const {
    DWORD_PTR result = 0;
    return Exists() && InvalidateRect(m_hwnd, nullptr, TRUE) &&
           SendMessageTimeoutA(m_hwnd, WM_PAINT, 0, 0, SMTO_BLOCK, kSendTimeoutMs, &result) != 0;
}

// Keys go where the keyboard focus of the window's thread is, as typed keys do.
HWND Window::KeyboardTarget() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(ThreadId(), &info) && info.hwndFocus != nullptr)
        return info.hwndFocus;
    return m_hwnd;
}

} // namespace gui
