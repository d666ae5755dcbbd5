// pages/ProgressPage.cpp
#include "pages/ProgressPage.h"

#include "archive/ArchivFormat.h"
#include "archive/PayloadArchive.h"
#include "archive/Platform.h"
#include "framework/DataExchange.h"
#include "framework/WinThread.h"
#include "pages/PageText.h"
#include "pages/TargetDir.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

namespace {

constexpr UINT_PTR POLL_TIMER_ID = 1;
constexpr UINT POLL_INTERVAL_MS = 333;
constexpr UINT WORKER_EXIT_CODE = 23;

// Texts in code page 1252, as Windows shows them.
const char kErrorCaption[] = "Fehler";
const char kNoThread[] = "Die Installation konnte nicht gestartet werden: Es konnte kein "
                         "Arbeitsthread erzeugt werden.";
const char kNoTimer[] = "Die Installation konnte nicht gestartet werden: Es konnte kein "
                        "Zeitgeber erzeugt werden.";
const char kUnexpected[] = "Die Installation wurde wegen eines unerwarteten Fehlers "
                           "abgebrochen.";

// Walks the whole payload into g_strTargetDir, moving the bar after each entry.
// FALSE when the archive cannot be opened.
BOOL ExtractPayload(HWND hProgress) {
    CPayloadArchive archive;
    if (!archive.Open(ARCHIV_RESOURCE_ID)) {
        CPlatform::GetDefault().ShowMessage("Fail to open resource.", "Error");
        return FALSE;
    }
    archive.SetTargetDir(g_strTargetDir);
    // Sent, not posted: the worker waits until the wizard's thread has moved the
    // bar, and the wizard's thread never waits for the worker.
    while (archive.ExtractNext() == TRUE)
        ::SendMessageA(hProgress, PBM_SETPOS, static_cast<WPARAM>(archive.GetProgress()), 0);
    archive.Close();
    return TRUE;
}

} // namespace

CProgressPage::CProgressPage(CWnd* pParent) : CWizardPage(IDD_PROGRESS, pParent) {
    ::InitializeCriticalSection(&m_csDone);
}

CProgressPage::~CProgressPage() {
    WaitForWorker();
    ::DeleteCriticalSection(&m_csDone);
}

void CProgressPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROGRESS_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_PROGRESS_SUBTOPIC, m_lblSubtopic);
    DDX_Text(pDX, IDC_PROGRESS_PREFACE, m_strPreface);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_ctlProgress);
}

BOOL CProgressPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 12, LoadText(IDS_PROGRESS_TOPIC));
    SetSubtopicLabel(m_lblSubtopic, LoadTitledString(IDS_PROGRESS_SUBTOPIC));
    m_strPreface = LoadText(IDS_PROGRESS_PREFACE);
    m_ctlProgress.SetRange32(0, 100);
    UpdateData(FALSE);
    return TRUE;
}

void CProgressPage::OnSetActive() {
    m_pFrame->EnableBackButton(FALSE);
    m_pFrame->EnableCancelButton(FALSE);
    m_pFrame->EnableNextButton(FALSE);
    m_bDone = FALSE;
    m_bFailed = FALSE;

    // The timer first: a worker must never run without the timer that sees it end.
    m_nTimer = StartTimer();
    if (!m_nTimer) {
        ReportStartFailure(kNoTimer);
        return;
    }
    // Busy before the worker exists, until the timer has seen it end.
    m_pFrame->SetBusy(TRUE);
    m_bRunning = TRUE;
    if (!StartWorker()) {
        StopTimer();
        ReportStartFailure(kNoThread);
    }
}

void CProgressPage::OnTimer(UINT_PTR nIDEvent) {
    static CString s_strDots;
    // A tick queued before the timer was killed finds m_nTimer cleared.
    if (!m_nTimer || nIDEvent != m_nTimer) {
        CWizardPage::OnTimer(nIDEvent);
        return;
    }
    ::EnterCriticalSection(&m_csDone);
    const BOOL bDone = m_bDone;
    const BOOL bFailed = m_bFailed;
    ::LeaveCriticalSection(&m_csDone);

    if (bDone) {
        StopTimer();
        m_bRunning = FALSE;
        m_pFrame->SetBusy(FALSE);
        m_pFrame->ActivateNextPage();
        return;
    }
    if (bFailed) {
        StopTimer();
        ReleaseWizard();
        return;
    }
    m_strPreface = LoadText(IDS_PROGRESS_PREFACE);
    s_strDots += '.';
    if (s_strDots.GetLength() > 3)
        s_strDots = ".";
    m_strPreface += s_strDots;
    UpdateData(FALSE);
    CWizardPage::OnTimer(nIDEvent);
}

UINT CProgressPage::InstallThreadProc(LPVOID pParam) {
    CProgressPage* pPage = static_cast<CProgressPage*>(pParam);
    BOOL bWalked = FALSE;
    // Nothing may escape a thread function.
    try {
        bWalked = ExtractPayload(pPage->m_ctlProgress.GetSafeHwnd());
    } catch (...) {
        CPlatform::GetDefault().ShowMessage(kUnexpected, kErrorCaption);
    }
    // The worker's last use of the page: after this the wizard may end.
    ::EnterCriticalSection(&pPage->m_csDone);
    if (bWalked)
        pPage->m_bDone = TRUE;
    else
        pPage->m_bFailed = TRUE;
    ::LeaveCriticalSection(&pPage->m_csDone);
    return WORKER_EXIT_CODE;
}

BOOL CProgressPage::OnKillActive() {
    return !m_bRunning;
}

void CProgressPage::OnPageDestroy() {
    WaitForWorker();
}

BOOL CProgressPage::StartWorker() {
    WaitForWorker();
    CWinThread* pThread =
        AfxBeginThread(InstallThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!pThread)
        return FALSE;
    // Cleared before the thread runs, so that it cannot delete itself first.
    pThread->m_bAutoDelete = FALSE;
    m_pWorker.reset(pThread);
    pThread->ResumeThread();
    return TRUE;
}

UINT_PTR CProgressPage::StartTimer() {
    return SetTimer(POLL_TIMER_ID, POLL_INTERVAL_MS, nullptr);
}

void CProgressPage::WaitForWorker() {
    if (!m_pWorker)
        return;
    ::WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
    m_pWorker.reset();
}

void CProgressPage::StopTimer() {
    KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CProgressPage::ReleaseWizard() {
    m_bRunning = FALSE;
    m_pFrame->SetBusy(FALSE);
    m_pFrame->EnableCancelButton(TRUE);
}

void CProgressPage::ReportStartFailure(LPCSTR pszText) {
    ReleaseWizard();
    ShowPageError(m_pFrame->GetSafeHwnd(), pszText);
}
