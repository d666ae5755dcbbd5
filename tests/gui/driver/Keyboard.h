// tests/gui/driver/Keyboard.h
#pragma once

#include "Window.h"

#include <windows.h>

#include <vector>

namespace gui {

// The keyboard, as a hand uses it: keystrokes go through the system's input
// queue to whatever window of the foreground program has the focus, unlike a
// posted WM_KEYDOWN, which skips the program's own key handling.
namespace Keyboard {

// Presses the key while holding the modifiers (VK_SHIFT, VK_MENU, ...), then
// lets go of all of them, in the order a hand would.
bool Press(UINT vk, const std::vector<UINT>& modifiers = {});

// Presses the key, then lets the thread of `window` handle it and what follows
// from it: the keys wait in its queue behind what is sent to it, so each round
// trip lets it take at least one more of them.
bool PressFor(const Window& window, UINT vk, const std::vector<UINT>& modifiers = {});

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// Tab until `target` has the focus, at most once around its dialog.
bool TabTo(const Window& target);

} // namespace Keyboard

} // namespace gui
