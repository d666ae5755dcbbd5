// app/SetupApp.cpp
#include "app/SetupApp.h"

#include "app/SetupDialog.h"
#include "pages/FinishPage.h"
#include "pages/LicensePage.h"
#include "pages/ProgressPage.h"
#include "pages/SummaryPage.h"
#include "pages/TargetDir.h"
#include "pages/TargetPage.h"
#include "pages/WelcomePage.h"
#include "pages/WizardPages.h"

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
    AddWizardPages(dlg, welcome, license, target, summary, progress, finish);

    // ID_WIZFINISH, IDCANCEL or IDOK: the process ends the same way.
    dlg.DoModal();
    return FALSE;
}
