// framework/WinApp.h
#pragma once

#include "framework/Wnd.h"

// The application object. Exactly one exists, as a static object; the
// framework's WinMain finds it and runs InitInstance. The program does its work
// there (a modal dialog), so no message loop of the application follows.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Names the registry key for settings. The framework stores no settings,
    // so nothing is written.
    void SetRegistryKey(LPCSTR pszRegistryKey);

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
