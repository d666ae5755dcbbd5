// tests/pages/PageTestSupport.h: the real pages in a wizard frame that runs
// modally with a test script; message boxes answered from another thread;
// payload archives built in memory.
#pragma once

#include "pages/FinishPage.h"
#include "pages/LicensePage.h"
#include "pages/ProgressPage.h"
#include "pages/SummaryPage.h"
#include "pages/TargetPage.h"
#include "pages/WelcomePage.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Handles this thread's messages until ready() holds; false on timeout.
bool PumpUntil(const std::function<bool()>& ready, DWORD nTimeoutMs = 5000);
bool IsShown(const CWnd& wnd);
std::string TextOf(HWND hWnd);
std::string ItemText(const CWnd& dlg, int nID);
std::string LoadText(UINT nID);

// The installer's frame template and page area, as the installer sets them up.
class CTestWizard : public CWizardFrame {
public:
    CTestWizard();
    // DoModal; the script runs on this thread inside the modal loop.
    INT_PTR Run(std::function<void()> script);
    BOOL OnInitDialog() override;

    bool IsButtonShown(int nID) const { return ::IsWindowVisible(GetDlgItem(nID)); }
    bool IsButtonEnabled(int nID) const { return ::IsWindowEnabled(GetDlgItem(nID)); }
    std::string ButtonText(int nID) const { return TextOf(GetDlgItem(nID)); }
    // A click on a button the user could click.
    void Click(int nID);
    // The button's command, whatever the button's state.
    void SendCommand(int nID);
    // EndDialog hides the dialog before its modal loop ends.
    bool IsOpen() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
};

struct SBoxSeen {
    std::string strText;
    HWND hOwner;
};

// While alive, answers each message box of this process captioned strCaption
// with nAnswer, whichever thread shows it.
class CBoxWatcher {
public:
    CBoxWatcher(std::string strCaption, int nAnswer);
    ~CBoxWatcher();
    std::vector<SBoxSeen> Seen() const;

private:
    void Watch();

    std::string m_strCaption;
    int m_nAnswer;
    std::atomic<bool> m_bStop{false};
    mutable std::mutex m_mutex;
    std::vector<SBoxSeen> m_seen;
    std::vector<HWND> m_answered;
    std::thread m_thread;
};

// A payload of (name, contents) entries, registered as archive 149 while alive.
class CTestPayload {
public:
    CTestPayload(std::initializer_list<std::pair<std::string, std::string>> files);
    ~CTestPayload();
    // Bytes consumed after each entry times 100, divided by the archive's length.
    std::vector<int> ExpectedPositions() const;

private:
    std::string m_strBytes;
    std::vector<std::size_t> m_entryEnds;
};

// The shell's folder dialog replaced: answers with the item list of
// strChoice, or cancels when it is empty.
class CScriptedTargetPage : public CTargetPage {
public:
    // "My Computer": a folder without a file-system path.
    static constexpr const char* kNoFileSystemPath = "::computer";

    std::string strChoice;
    BROWSEINFOA lastInfo = {};
    std::string strLastTitle;
    bool bApartmentReady = false;

protected:
    LPITEMIDLIST BrowseForFolder(BROWSEINFOA& bi) override;
};

class CTestProgressPage : public CProgressPage {
public:
    bool bFailTimer = false;
    bool bFailWorker = false;
    // Report the worker as started, but start it only in ReleaseWorker.
    bool bHoldWorker = false;
    int nWorkerStarts = 0;
    // The thread of the last worker started; 0 when none was.
    DWORD nWorkerThreadID = 0;

    void ReleaseWorker();
    // True when the poll timer was still running.
    bool KillPollTimer() { return ::KillTimer(m_hWnd, 1); }

protected:
    BOOL StartWorker() override;
    UINT_PTR StartTimer() override;

private:
    // Starts the real worker and notes its thread: the one thread of this
    // process that the start made.
    BOOL StartRealWorker();
};

// The six pages in a frame, joined as the installer joins them.
class WizardTest : public testing::Test {
protected:
    WizardTest();

    // Presses the button and expects the page to be current.
    void NextTo(const CWnd& page);
    void BackTo(const CWnd& page);
    void TickAccept() { ::SendMessageA(license.GetDlgItem(IDC_LICENSE_CHECK), BM_CLICK, 0, 0); }
    void Browse(const std::string& strChoice);
    // From Welcome, accepting the licence and choosing strFolder.
    void GoToSummary(const std::string& strFolder);

    CTestWizard wizard;
    CWelcomePage welcome;
    CLicensePage license;
    CScriptedTargetPage target;
    CSummaryPage summary;
    CTestProgressPage progress;
    CFinishPage finish;
};
