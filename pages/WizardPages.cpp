// pages/WizardPages.cpp
#include "pages/WizardPages.h"

#include "pages/FinishPage.h"
#include "pages/LicensePage.h"
#include "pages/ProgressPage.h"
#include "pages/SummaryPage.h"
#include "pages/TargetPage.h"
#include "pages/WelcomePage.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

void AddWizardPages(CWizardFrame& frame, CWelcomePage& welcome, CLicensePage& license,
                    CTargetPage& target, CSummaryPage& summary, CProgressPage& progress,
                    CFinishPage& finish) {
    welcome.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));
    finish.SetColors(RGB(0, 0, 0), RGB(255, 255, 255));

    frame.AddPage(&welcome, IDD_WELCOME);
    frame.AddPage(&license, IDD_LICENSE);
    frame.AddPage(&target, IDD_TARGET);
    frame.AddPage(&summary, IDD_SUMMARY);
    frame.AddPage(&progress, IDD_PROGRESS);
    frame.AddPage(&finish, IDD_FINISH);
}
