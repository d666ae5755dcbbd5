// tests/gui/driver/FolderBrowser.cpp
#include "FolderBrowser.h"

#include "Keyboard.h"
#include "Mouse.h"
#include "Wait.h"

#include <shlobj.h>

#include <vector>

namespace gui {

namespace {

// The names the tree shows on the way to `path`, from its root ("Desktop",
// "My Computer", the drive with its label, then each folder), as the shell of
// this prefix and language gives them.
std::vector<std::string> ShellNames(const std::string& path) {
    std::vector<std::string> names;
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathA(path.c_str());
    for (bool more = pidl != nullptr; more; more = ILRemoveLastID(pidl)) {
        SHFILEINFOA info{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_DISPLAYNAME);
        names.insert(names.begin(), info.szDisplayName);
    }
    ILFree(pidl);
    return names;
}

// The browser fills its tree a moment after it shows, and a folder's
// subfolders a moment after it opens.
constexpr Millis kFillTimeout(15000);

} // namespace

bool FolderBrowser::IsFolderBrowser(const Window& window) {
    return window.ClassName() == "#32770" && FolderBrowser(window).Tree();
}

Window FolderBrowser::Tree() const {
    for (const Window& child : m_dialog.Descendants()) {
        if (child.ClassName() == WC_TREEVIEWA)
            return child;
    }
    return Window();
}

std::string FolderBrowser::Selected() const {
    for (const Window& child : m_dialog.Descendants()) {
        if (child.ClassName() == "Edit")
            return child.Text();
    }
    return "";
}

HTREEITEM FolderBrowser::Item(WPARAM relation, HTREEITEM from) const {
    return reinterpret_cast<HTREEITEM>(
        Tree().Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

bool FolderBrowser::Opened(HTREEITEM item) const {
    return (Tree().Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0 &&
           Item(TVGN_CHILD, item) != nullptr;
}

bool FolderBrowser::ChooseWithMouse(const std::string& path) const {
    const std::vector<std::string> names = ShellNames(path);
    if (names.empty() || !WaitUntil([&] { return Item(TVGN_CARET) != nullptr; }, kFillTimeout))
        return false;
    HTREEITEM item = Item(TVGN_ROOT);
    for (size_t i = 0; i < names.size(); ++i) {
        POINT point{};
        if ((item = ClickOn(item, names[i], &point)) == nullptr)
            return false;
        // A double click opens the folder, unless it is open already.
        if (i + 1 < names.size() &&
            !(Opened(item) || (Mouse::ClickAt({point, point}) &&
                               WaitUntil([&] { return Opened(item); }, kFillTimeout))))
            return false;
        item = Item(TVGN_CHILD, item);
    }
    return Mouse::Click({m_dialog.Item(IDOK)}) &&
           WaitUntil([&] { return !m_dialog.Exists(); }, Millis(10000));
}

// Clicks `first` and the folders below it at its level until the box names
// `name`; that folder, and where it was clicked, or none.
HTREEITEM FolderBrowser::ClickOn(HTREEITEM first, const std::string& name, POINT* point) const {
    for (HTREEITEM item = first; item != nullptr; item = Item(TVGN_NEXT, item)) {
        // A click the browser does not take yet, as it may do just after it
        // shows, is repeated, as a person repeats it; never sooner than a
        // double click would be, and never on the selected folder.
        if (!ItemPoint(item, point))
            return nullptr;
        for (int click = 0; click < 3 && Item(TVGN_CARET) != item; ++click) {
            if (!Mouse::ClickAt({*point}))
                return nullptr;
            WaitUntil([&] { return Item(TVGN_CARET) == item; }, Millis(2000));
        }
        if (Item(TVGN_CARET) != item)
            return nullptr;
        if (Selected() == name)
            return item;
    }
    return nullptr;
}

// A point on the item's icon, on the screen. The tree lays out its rows one
// item height apart from the first in view, and an item of level L has its
// icon L + 1 indents from the left. Nothing here reads or writes the
// browser's memory: under emulation the addresses of the emulated program are
// not those the system writes at.
bool FolderBrowser::ItemPoint(HTREEITEM item, POINT* point) const {
    const Window tree = Tree();
    int row = 0;
    HTREEITEM shown = Item(TVGN_FIRSTVISIBLE);
    for (; shown != nullptr && shown != item; shown = Item(TVGN_NEXTVISIBLE, shown))
        ++row;
    int level = 0;
    for (HTREEITEM parent = Item(TVGN_PARENT, item); parent != nullptr;
         parent = Item(TVGN_PARENT, parent))
        ++level;
    const auto height = static_cast<LONG>(tree.Send(TVM_GETITEMHEIGHT, 0, 0));
    const auto indent = static_cast<LONG>(tree.Send(TVM_GETINDENT, 0, 0));
    *point = {indent * (level + 1) + 2, row * height + height / 2};
    RECT client{};
    return shown != nullptr && GetClientRect(tree.Handle(), &client) && point->y < client.bottom &&
           ClientToScreen(tree.Handle(), point);
}

bool FolderBrowser::ChooseWithKeys(const std::string& path) const {
    const Window tree = Tree();
    const std::vector<std::string> names = ShellNames(path);
    if (names.empty() || !WaitUntil([&] { return Item(TVGN_CARET) != nullptr; }, kFillTimeout) ||
        !Keyboard::TabTo(tree) || !Keyboard::PressFor(tree, VK_HOME))
        return false;
    for (size_t i = 0; i < names.size(); ++i) {
        // Right opens the folder chosen last.
        if (i > 0 && !Opened(Item(TVGN_CARET)) &&
            !(Keyboard::PressFor(tree, VK_RIGHT) &&
              WaitUntil([&] { return Opened(Item(TVGN_CARET)); }, kFillTimeout)))
            return false;
        // Down until the box names the next folder; at the end Down moves nothing.
        for (HTREEITEM before = nullptr; Selected() != names[i];) {
            const HTREEITEM at = Item(TVGN_CARET);
            if (at == before || !Keyboard::PressFor(tree, VK_DOWN))
                return false;
            before = at;
        }
    }
    // Enter presses OK, the default button, and the browser closes.
    return Keyboard::Press(VK_RETURN) &&
           WaitUntil([&] { return !m_dialog.Exists(); }, Millis(10000));
}

bool FolderBrowser::Cancel() const {
    return CloseWith(IDCANCEL);
}

bool FolderBrowser::CloseWith(int id) const {
    return m_dialog.Item(id).Click() &&
           WaitUntil([&] { return !m_dialog.Exists(); }, Millis(10000));
}

} // namespace gui
