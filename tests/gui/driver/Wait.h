// tests/gui/driver/Wait.h
#pragma once

#include <chrono>
#include <functional>

namespace gui {

using Millis = std::chrono::milliseconds;

// Polls `condition` every `interval` until it holds or `timeout` has passed;
// every wait of the driver goes through here, so no test can hang on a window
// that never comes.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout,
               Millis interval = Millis(25));

} // namespace gui
