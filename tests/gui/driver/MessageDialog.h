// tests/gui/driver/MessageDialog.h
#pragma once

#include "Window.h"

#include <string>
#include <vector>

namespace gui {

// A message box of the program under test: a top-level "#32770" window whose
// text is the static control 0xFFFF and whose icon is the static control 0x440.
class MessageDialog {
public:
    enum class Icon { None, Hand, Question, Exclamation, Asterisk, Unknown };

    explicit MessageDialog(Window box) : m_box(box) {}

    static bool IsMessageBox(const Window& window);

    Window Handle() const { return m_box; }
    std::string Caption() const { return m_box.Text(); }
    std::string Text() const;
    std::vector<int> Buttons() const;
    Icon ShownIcon() const;
    bool Press(int id) const;

private:
    Window m_box;
};

} // namespace gui
