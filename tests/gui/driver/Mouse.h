// tests/gui/driver/Mouse.h
#pragma once

#include "Window.h"

#include <vector>

namespace gui {

// The mouse, as a hand moves it: input goes through the system's input queue,
// so it reaches whatever window lies under the pointer, and a disabled window
// gets no click, unlike a posted BM_CLICK.
namespace Mouse {

// Left clicks at the centres of the windows, in order, given to the system at
// once: the program finds them all queued, as after a very fast hand. Two
// clicks on one window make a double click.
bool Click(const std::vector<Window>& targets);
// The same at points of the screen.
bool ClickAt(const std::vector<POINT>& points);

} // namespace Mouse

} // namespace gui
