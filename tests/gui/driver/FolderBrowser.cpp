// tests/gui/driver/FolderBrowser.cpp
#include "FolderBrowser.h"

#include "Wait.h"

#include <shlobj.h>

namespace gui {

bool FolderBrowser::IsFolderBrowser(const Window& window) {
    if (window.ClassName() != "#32770")
        return false;
    for (const Window& child : window.Descendants()) {
        if (child.ClassName() == WC_TREEVIEWA)
            return true;
    }
    return false;
}

bool FolderBrowser::Choose(const std::string& path) const {
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, m_dialog.ProcessId());
    if (process == nullptr)
        return false;
    void* remote =
        VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool chosen = remote != nullptr &&
                  WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr);
    if (chosen) {
        m_dialog.Send(BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
        chosen = CloseWith(IDOK);
    }
    // The browser has copied the path by now: release it only after the box is gone.
    if (remote != nullptr)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return chosen;
}

bool FolderBrowser::Cancel() const {
    return CloseWith(IDCANCEL);
}

bool FolderBrowser::CloseWith(int id) const {
    return m_dialog.Item(id).Click() &&
           WaitUntil([&] { return !m_dialog.Exists(); }, Millis(10000));
}

} // namespace gui
