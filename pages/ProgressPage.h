// pages/ProgressPage.h
#pragma once

#include "framework/ProgressCtrl.h"
#include "framework/WinThread.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

#include <memory>

// Fifth page: a worker thread extracts the payload into the target folder while
// the bar follows; a 333 ms timer animates the status line and, once the worker
// is done, moves on to the Finish page.
//
// From the worker's start until the timer has seen it end, the frame is busy:
// nothing ends the wizard, and this page cannot be left, because the worker
// uses the page (its progress bar, m_bDone, m_csDone) until its last step.
// The page keeps the worker's thread and waits for its end before its window
// or its lock goes, so no worker outlives the page or runs at process exit.
class CProgressPage : public CWizardPage {
public:
    explicit CProgressPage(CWnd* pParent = nullptr);
    ~CProgressPage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    // The worker; pParam is the page. Returns 23.
    static UINT InstallThreadProc(LPVOID pParam);

    void OnPageDestroy() override;
    // FALSE while the worker runs.
    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Starts InstallThreadProc on this page; FALSE when no thread can be made.
    virtual BOOL StartWorker();
    // Sets the poll timer; its id, or 0 when none can be made.
    virtual UINT_PTR StartTimer();

private:
    // Waits until the last worker started has ended. Nothing ends the page
    // before its worker has reported, so this waits at most for the worker's
    // way out of its thread.
    void WaitForWorker();
    void StopTimer();
    // The worker has ended or never started: Cancel and the frame's commands
    // work again, so the user can leave the usual way.
    void ReleaseWizard();
    void ReportStartFailure(LPCSTR pszText);

    CTextLabel m_lblTopic;
    CTextLabel m_lblSubtopic;
    CString m_strPreface;
    BOOL m_bDone = FALSE;
    UINT_PTR m_nTimer = 0;
    CProgressCtrl m_ctlProgress;
    CRITICAL_SECTION m_csDone;
    // TRUE when the worker ended without walking the archive; under m_csDone.
    BOOL m_bFailed = FALSE;
    // Wizard thread only: a worker was started and the timer has not yet seen it end.
    BOOL m_bRunning = FALSE;
    // The last worker started, kept for WaitForWorker.
    std::unique_ptr<CWinThread> m_pWorker;
};
