// tests/gui/driver/FolderBrowser.h
#pragma once

#include "Window.h"

#include <string>

namespace gui {

// The shell's folder browser shown by the program under test. Wine ignores a
// path typed into its edit box, so a folder is chosen the way the browser's
// own callback would: BFFM_SETSELECTIONA with a path in the browser's process.
class FolderBrowser {
public:
    explicit FolderBrowser(Window dialog) : m_dialog(dialog) {}

    static bool IsFolderBrowser(const Window& window);

    Window Handle() const { return m_dialog; }
    bool Choose(const std::string& path) const;
    bool Cancel() const;

private:
    bool CloseWith(int id) const;

    Window m_dialog;
};

} // namespace gui
