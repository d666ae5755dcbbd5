// tests/gui/driver/MessageDialog.cpp
#include "MessageDialog.h"

#include "Image.h"
#include "Wait.h"

namespace gui {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x440;

} // namespace

bool MessageDialog::IsMessageBox(const Window& window) {
    return window.ClassName() == "#32770" && window.Item(kTextId).Exists();
}

std::string MessageDialog::Text() const {
    return m_box.Item(kTextId).Text();
}

std::vector<int> MessageDialog::Buttons() const {
    std::vector<int> ids;
    for (const Window& child : m_box.Children()) {
        if (child.ClassName() == "Button" && child.IsVisible())
            ids.push_back(child.Id());
    }
    return ids;
}

// Icons of another process cannot be read back through their handles, so the
// icon control's pixels are compared with the system icons drawn here.
MessageDialog::Icon MessageDialog::ShownIcon() const {
    const Window control = m_box.Item(kIconId);
    if (!control.IsVisible())
        return Icon::None;
    m_box.Sync();
    const Image shown = Image::CaptureScreen(control.ScreenRect());
    if (shown.Empty())
        return Icon::Unknown;
    const struct {
        Icon icon;
        LPCSTR resource;
    } candidates[] = {{Icon::Hand, IDI_HAND},
                      {Icon::Question, IDI_QUESTION},
                      {Icon::Exclamation, IDI_EXCLAMATION},
                      {Icon::Asterisk, IDI_ASTERISK}};
    Icon best = Icon::Unknown;
    double bestDifference = 0.05;
    for (const auto& candidate : candidates) {
        const Image drawn = Image::DrawIcon(LoadIconA(nullptr, candidate.resource), shown.Width(),
                                            shown.Pixel(0, 0));
        const double difference =
            shown.Crop({0, 0, drawn.Width(), drawn.Height()}).DifferenceTo(drawn);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = candidate.icon;
        }
    }
    return best;
}

// Presses a button and waits until the box has gone.
bool MessageDialog::Press(int id) const {
    return m_box.Item(id).Click() && WaitUntil([&] { return !m_box.Exists(); }, Millis(5000));
}

} // namespace gui
