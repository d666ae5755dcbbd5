// tests/gui/driver/Wait.cpp
#include "Wait.h"

#include <thread>

namespace gui {

bool WaitUntil(const std::function<bool()>& condition, Millis timeout, Millis interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

} // namespace gui
