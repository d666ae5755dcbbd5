// framework/WinApp.cpp
#include "framework/WinApp.h"

namespace {
CWinApp* s_pApp = nullptr;
}

CWinApp::CWinApp() {
    s_pApp = this;
}

CWinApp::~CWinApp() {
    s_pApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::SetRegistryKey(LPCSTR) {}

CWinApp* AfxGetApp() {
    return s_pApp;
}

CWnd* AfxGetMainWnd() {
    return s_pApp ? s_pApp->m_pMainWnd : nullptr;
}

// The entry of every framework program (ANSI, WIN32 subsystem). It lives beside
// the application object so that linking an application pulls it in. The
// command line is not read.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    if (!s_pApp)
        return 1;
    s_pApp->m_hInstance = hInstance;
    s_pApp->InitInstance();
    return s_pApp->ExitInstance();
}
