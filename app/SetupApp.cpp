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
#include "res/resource.h"

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

    dlg.AddPage(&welcome, IDD_WELCOME);
    dlg.AddPage(&license, IDD_LICENSE);
    dlg.AddPage(&target, IDD_TARGET);
    dlg.AddPage(&summary, IDD_SUMMARY);
    dlg.AddPage(&progress, IDD_PROGRESS);
    dlg.AddPage(&finish, IDD_FINISH);

    // ID_WIZFINISH, IDCANCEL or IDOK: the process ends the same way.
    dlg.DoModal();
    return FALSE;
}
