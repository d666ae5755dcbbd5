// tests/gui/probe/DriverProbe.cpp
//
// A small window for the driver's own checks: buttons, a check box, a message
// box and the folder browser, with every command it receives written into its
// status box (id 102). Closing it ends the process with exit code 7.

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace {

constexpr int kAsk = 100;
constexpr int kBrowse = 101;
constexpr int kStatus = 102;
constexpr int kDisabled = 103;
constexpr int kHidden = 104;
constexpr int kCheck = 105;
constexpr int kExitCode = 7;

void AddControl(HWND dialog, const char* cls, const char* text, DWORD style, int y, int id) {
    CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 220, 24, dialog,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void SetStatus(HWND dialog, const std::string& text) {
    SetDlgItemTextA(dialog, kStatus, text.c_str());
}

void OnCommand(HWND dialog, int id) {
    if (id == kStatus)
        return;
    SetStatus(dialog, "command " + std::to_string(id));
    if (id == kAsk) {
        const int answer = MessageBoxA(dialog, "Probe text", "Probe", MB_YESNO | MB_ICONQUESTION);
        SetStatus(dialog, "box " + std::to_string(answer));
    } else if (id == kBrowse) {
        char path[MAX_PATH] = "";
        BROWSEINFOA info{};
        info.hwndOwner = dialog;
        info.pszDisplayName = path;
        info.lpszTitle = "Probe";
        info.ulFlags =
            BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
        PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);
        if (item != nullptr && SHGetPathFromIDListA(item, path))
            SetStatus(dialog, path);
        else
            SetStatus(dialog, "cancelled");
        CoTaskMemFree(item);
    }
}

INT_PTR CALLBACK ProbeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextA(dialog, "Driver Probe");
        AddControl(dialog, "BUTTON", "Ask", BS_PUSHBUTTON, 10, kAsk);
        AddControl(dialog, "BUTTON", "Browse", BS_PUSHBUTTON, 40, kBrowse);
        AddControl(dialog, "EDIT", "", WS_BORDER | ES_READONLY, 70, kStatus);
        AddControl(dialog, "BUTTON", "Disabled", BS_PUSHBUTTON | WS_DISABLED, 100, kDisabled);
        AddControl(dialog, "BUTTON", "Check", BS_AUTOCHECKBOX, 130, kCheck);
        CreateWindowA("BUTTON", "Hidden", WS_CHILD, 10, 160, 220, 24, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHidden)), nullptr, nullptr);
        HMENU menu = GetSystemMenu(dialog, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, 0x10, "&About");
        return TRUE;
    }
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == 0x10) {
            SetStatus(dialog, "about");
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, kExitCode);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } layout{};
    layout.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    layout.dialog.cx = 160;
    layout.dialog.cy = 125;
    const INT_PTR result = DialogBoxIndirectParamA(instance, &layout.dialog, nullptr, ProbeProc, 0);
    CoUninitialize();
    return static_cast<int>(result);
}
