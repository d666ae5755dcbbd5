// tests/gui/driver/Mouse.cpp
#include "Mouse.h"

namespace gui::Mouse {

namespace {

// Every event carries its own position ("dx ... contains normalized absolute
// coordinates between 0 and 65,535" of the primary screen): Wine takes a
// button event without one where the pointer was before the last move.
INPUT At(POINT point, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

} // namespace

bool Click(const std::vector<Window>& targets) {
    std::vector<POINT> points;
    for (const Window& target : targets) {
        if (!target.Exists())
            return false;
        const RECT rect = target.ScreenRect();
        points.push_back({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    return ClickAt(points);
}

bool ClickAt(const std::vector<POINT>& points) {
    std::vector<INPUT> inputs;
    for (const POINT& point : points) {
        inputs.push_back(At(point, 0));
        inputs.push_back(At(point, MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(At(point, MOUSEEVENTF_LEFTUP));
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

} // namespace gui::Mouse
