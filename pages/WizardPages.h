// pages/WizardPages.h: the six pages joined to a frame as the installer shows them.
#pragma once

class CFinishPage;
class CLicensePage;
class CProgressPage;
class CSummaryPage;
class CTargetPage;
class CWelcomePage;
class CWizardFrame;

// Black text on white for the Welcome and Finish pages, then the six pages
// appended to the frame in wizard order, each with its own template. The
// frame only points to the pages: the caller keeps them alive until its
// DoModal has returned.
void AddWizardPages(CWizardFrame& frame, CWelcomePage& welcome, CLicensePage& license,
                    CTargetPage& target, CSummaryPage& summary, CProgressPage& progress,
                    CFinishPage& finish);
