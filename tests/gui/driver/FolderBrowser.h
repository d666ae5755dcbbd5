// tests/gui/driver/FolderBrowser.h
#pragma once

#include "Window.h"

#include <commctrl.h>

#include <string>

namespace gui {

// The shell's folder browser shown by the program under test. A folder is
// chosen as a person chooses it, with the mouse (a click on each folder of
// the way, a double click to open it, OK) or with the keys alone (Tab to the
// tree, the arrows, Enter), reading the "Folder" box under the tree to see
// which folder is selected: Wine ignores a path typed into that box.
class FolderBrowser {
public:
    explicit FolderBrowser(Window dialog) : m_dialog(dialog) {}

    static bool IsFolderBrowser(const Window& window);

    Window Handle() const { return m_dialog; }
    bool ChooseWithMouse(const std::string& path) const;
    bool ChooseWithKeys(const std::string& path) const;
    bool Cancel() const;

private:
    Window Tree() const;
    std::string Selected() const;
    HTREEITEM Item(WPARAM relation, HTREEITEM from = nullptr) const;
    HTREEITEM ClickOn(HTREEITEM first, const std::string& name, POINT* point) const;
    bool ItemPoint(HTREEITEM item, POINT* point) const;
    bool Opened(HTREEITEM item) const;
    bool CloseWith(int id) const;

    Window m_dialog;
};

} // namespace gui
