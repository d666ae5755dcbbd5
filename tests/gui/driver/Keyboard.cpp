// tests/gui/driver/Keyboard.cpp
#include "Keyboard.h"

namespace gui::Keyboard {

namespace {

INPUT Key(UINT vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

bool Press(UINT vk, const std::vector<UINT>& modifiers) {
    std::vector<INPUT> inputs;
    for (UINT modifier : modifiers)
        inputs.push_back(Key(modifier, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        inputs.push_back(Key(*it, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

bool PressFor(const Window& window, UINT vk, const std::vector<UINT>& modifiers) {
    if (!Press(vk, modifiers))
        return false;
    for (size_t i = 0; i < 2 * (modifiers.size() + 1) + 4; ++i) {
        if (!window.Sync())
            return false;
    }
    return true;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                              : nullptr;
}

bool TabTo(const Window& target) {
    for (int i = 0; i < 12 && FocusOf(target.Handle()) != target.Handle(); ++i)
        PressFor(target, VK_TAB);
    return FocusOf(target.Handle()) == target.Handle();
}

} // namespace gui::Keyboard
