// app/SetupApp.cpp
#include "app/SetupApp.h"

#include "app/SetupDialog.h"
#include "app/TargetDir.h"
#include "pages/FinishPage.h"
#include "pages/LicensePage.h"
#include "pages/ProgressPage.h"
#include "pages/SummaryPage.h"
#include "pages/TargetPage.h"
#include "pages/WelcomePage.h"

#include <commctrl.h>

// Defined here, before the application object, so that it is constructed first
// and destroyed last.
CString g_strTargetDir;
CSetupApp theApp;

CSetupApp::CSetupApp() = default;

BOOL CSetupApp::InitInstance() {
    ::InitCommonControls();
    CWinApp::InitInstance();
    SetRegistryKey("Valdero GmbH");

    CSetupDialog dlg(nullptr);
    m_pMainWnd = &dlg;
    CWelcomePage welcome;
    CLicensePage license;
    CTargetPage target;
    CSummaryPage summary;
    CProgressPage progress;
    CFinishPage finish;

    welcome.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));
    finish.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));

    dlg.AddPage(&welcome, 129);
    dlg.AddPage(&license, 136);
    dlg.AddPage(&target, 139);
    dlg.AddPage(&summary, 140);
    dlg.AddPage(&progress, 141);
    dlg.AddPage(&finish, 142);

    // ID_WIZFINISH, IDCANCEL or IDOK: the process ends the same way.
    dlg.DoModal();
    return FALSE;
}
