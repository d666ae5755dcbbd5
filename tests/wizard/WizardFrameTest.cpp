// tests/wizard/WizardFrameTest.cpp: the frame's protocol, run in-process on
// test pages that log what the frame asks them.
#include "wizard/WizardFrame.h"
#include "ModalScript.h"
#include "framework/DataExchange.h"
#include "wizard/WizardPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kFrame = 200;

std::vector<std::string> g_log;

class CTestPage : public CWizardPage {
public:
    explicit CTestPage(UINT nIDTemplate) : CWizardPage(nIDTemplate) {}

    BOOL OnInitDialog() override {
        ++nInitDialog;
        return CWizardPage::OnInitDialog();
    }
    BOOL OnPageCreated() override { return Log("created", bPageCreated); }
    void OnPageDestroy() override { Log("destroy", TRUE); }
    BOOL OnKillActive() override { return Log("kill", bKillActive); }
    void OnSetActive() override { Log("active", TRUE); }
    BOOL OnQueryCancel() override {
        Log("cancel", TRUE);
        return CWizardPage::OnQueryCancel();
    }
    int OnWizardBack() override { return Log("back", nBack); }
    int OnWizardNext() override { return Log("next", nNext); }
    BOOL OnWizardFinish() override { return Log("finish", bFinish); }

    BOOL IsCreated() const { return m_bCreated; }
    BOOL IsActive() const { return m_bActive; }
    bool IsShown() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    CWizardFrame* Frame() const { return m_pFrame; }
    static void ForgetCancelConfirmation() { s_bCancelConfirmed = FALSE; }

    int nInitDialog = 0;
    BOOL bPageCreated = TRUE;
    BOOL bKillActive = TRUE;
    int nBack = 0;
    int nNext = 0;
    BOOL bFinish = TRUE;

private:
    template <typename T> T Log(const char* pszCall, T result) {
        g_log.push_back(std::to_string(m_nTemplateID) + ":" + pszCall);
        return result;
    }
};

class WizardFrame : public testing::Test {
protected:
    WizardFrame() : frame(kFrame, nullptr), page1(201), page2(202), page3(203), page4(204) {
        g_log.clear();
        CTestPage::ForgetCancelConfirmation();
        frame.SetPlaceholderID(IDC_PAGE_AREA);
        frame.AddPage(&page1, 201);
        frame.AddPage(&page2, 202);
        frame.AddPage(&page3, 203);
        frame.AddPage(&page4, 204);
    }

    void Command(UINT nID) { Send(frame.m_hWnd, nID); }
    static void Send(HWND hWnd, UINT nID) {
        ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
    }
    HWND Button(int nID) const { return ::GetDlgItem(frame.m_hWnd, nID); }
    std::vector<std::string> TakeLog() {
        std::vector<std::string> log;
        log.swap(g_log);
        return log;
    }

    CWizardFrame frame;
    CTestPage page1, page2, page3, page4;
};

using Calls = std::vector<std::string>;

TEST_F(WizardFrame, ShowsTheFirstPageAtThePlaceholderWithBackHidden) {
    RECT rcPage = {}, rcPlaceholder = {};
    RunModal(frame, [&] {
        ::GetWindowRect(page1.m_hWnd, &rcPage);
        ::GetWindowRect(::GetDlgItem(frame.m_hWnd, IDC_PAGE_AREA), &rcPlaceholder);
        EXPECT_TRUE(page1.IsActive());
        EXPECT_TRUE(page1.IsShown());
        EXPECT_TRUE(::IsWindowEnabled(page1.m_hWnd));
        EXPECT_EQ(page1.Frame(), &frame);
        EXPECT_FALSE(page2.IsCreated());
        EXPECT_FALSE(::IsWindowVisible(Button(ID_WIZBACK)));
        EXPECT_TRUE(::GetWindowLongA(frame.m_hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    });
    EXPECT_EQ(rcPage.left, rcPlaceholder.left);
    EXPECT_EQ(rcPage.top, rcPlaceholder.top);
    EXPECT_EQ(TakeLog(), (Calls{"201:created", "201:active", "201:kill", "201:destroy"}));
}

TEST_F(WizardFrame, PagesAreCreatedOnceAndKeepTheirState) {
    RunModal(frame, [&] {
        Command(ID_WIZNEXT);
        EXPECT_TRUE(page2.IsActive());
        EXPECT_FALSE(page1.IsShown());
        EXPECT_TRUE(::IsWindowVisible(Button(ID_WIZBACK)));
        ::SetDlgItemTextA(page2.m_hWnd, 302, "E:\\");
        Command(ID_WIZBACK);
        EXPECT_TRUE(page1.IsActive());
        EXPECT_FALSE(::IsWindowVisible(Button(ID_WIZBACK)));
        Command(ID_WIZNEXT);
        char sz[16] = "";
        ::GetDlgItemTextA(page2.m_hWnd, 302, sz, sizeof sz);
        EXPECT_STREQ(sz, "E:\\");
    });
    EXPECT_EQ(page1.nInitDialog, 1);
    EXPECT_EQ(page2.nInitDialog, 1);
    EXPECT_FALSE(page3.IsCreated());
}

TEST_F(WizardFrame, TabReachesThePageControls) {
    HWND hPageEdit = nullptr, hFound = nullptr;
    RunModal(frame, [&] {
        hPageEdit = ::GetDlgItem(page1.m_hWnd, 302);
        HWND hItem = Button(IDCANCEL);
        for (int i = 0; i < 8 && hItem != hPageEdit; ++i)
            hItem = ::GetNextDlgTabItem(frame.m_hWnd, hItem, FALSE);
        hFound = hItem;
    });
    EXPECT_EQ(hFound, hPageEdit);
}

TEST_F(WizardFrame, WizardResultsChooseTheNextPage) {
    page1.nNext = 203;
    page3.nBack = -1;
    RunModal(frame, [&] {
        TakeLog();
        Command(ID_WIZNEXT);
        EXPECT_TRUE(page3.IsActive());
        EXPECT_FALSE(page2.IsCreated());
        EXPECT_EQ(TakeLog(), (Calls{"201:next", "203:created", "201:kill", "203:active"}));
        Command(ID_WIZBACK);
        EXPECT_TRUE(page3.IsActive());
        EXPECT_EQ(TakeLog(), Calls{"203:back"});
        page3.nBack = 999;
        Command(ID_WIZBACK);
        EXPECT_TRUE(page3.IsActive());
        EXPECT_EQ(TakeLog(), Calls{"203:back"});
    });
}

TEST_F(WizardFrame, RefusedKillActiveKeepsTheCurrentPage) {
    page2.bKillActive = FALSE;
    RunModal(frame, [&] {
        Command(ID_WIZNEXT);
        Command(ID_WIZBACK);
        Command(ID_WIZNEXT);
        frame.ActivateNextPage();
        EXPECT_TRUE(page2.IsActive());
        EXPECT_TRUE(page2.IsShown());
        EXPECT_TRUE(page3.IsCreated());
        EXPECT_FALSE(page3.IsShown());
        EXPECT_FALSE(page1.IsShown());
    });
}

TEST_F(WizardFrame, FailedPageCreationKeepsThePreviousPageAndIsNotRepeated) {
    page2.bPageCreated = FALSE;
    RunModal(frame, [&] {
        Command(ID_WIZNEXT);
        EXPECT_TRUE(page1.IsActive());
        EXPECT_TRUE(page1.IsShown());
        EXPECT_TRUE(page2.IsCreated());
        EXPECT_FALSE(page2.IsShown());
        TakeLog();
        Command(ID_WIZNEXT);
        EXPECT_TRUE(page2.IsActive());
        EXPECT_EQ(TakeLog(), (Calls{"201:next", "201:kill", "202:active"}));
    });
    EXPECT_EQ(page2.nInitDialog, 1);
}

TEST_F(WizardFrame, ActivateNextPageAsksNeitherNextNorFinish) {
    RunModal(frame, [&] {
        TakeLog();
        frame.ActivateNextPage();
        EXPECT_TRUE(page2.IsActive());
        EXPECT_EQ(TakeLog(), (Calls{"202:created", "201:kill", "202:active"}));
    });
}

TEST_F(WizardFrame, NextOnTheLastPageFinishes) {
    INT_PTR nResult = RunModal(frame, [&] {
        frame.ActivateNextPage();
        frame.ActivateNextPage();
        frame.ActivateNextPage();
        ASSERT_TRUE(page4.IsActive());
        TakeLog();
        Command(ID_WIZNEXT);
    });
    EXPECT_EQ(nResult, static_cast<INT_PTR>(ID_WIZFINISH));
    EXPECT_EQ(TakeLog(), (Calls{"204:kill", "201:finish", "202:finish", "203:finish", "204:finish",
                                "204:next", "201:kill", "201:destroy", "202:kill", "202:destroy",
                                "203:kill", "203:destroy", "204:kill", "204:destroy"}));
    EXPECT_FALSE(page4.IsCreated());
    EXPECT_EQ(page4.m_hWnd, nullptr);
}

TEST_F(WizardFrame, RefusedFinishKeepsTheWizardOpen) {
    page2.bFinish = FALSE;
    INT_PTR nResult = RunModal(frame, [&] {
        frame.ActivateNextPage();
        TakeLog();
        Command(ID_WIZFINISH);
        EXPECT_EQ(TakeLog(), (Calls{"202:kill", "201:finish", "202:finish"}));
        EXPECT_TRUE(page2.IsShown());
        page2.bKillActive = FALSE;
        Command(ID_WIZFINISH);
        EXPECT_EQ(TakeLog(), Calls{"202:kill"});
    });
    EXPECT_EQ(nResult, kScriptEnded);
}

TEST_F(WizardFrame, CancelAsksTheFirstCreatedPageWithOneBox) {
    CBoxLog boxes;
    INT_PTR nResult = RunModal(frame, [&] {
        frame.ActivateNextPage();
        frame.ActivateNextPage();
        TakeLog();
        {
            CBoxAnswerer answerNo(IDNO, &boxes);
            Command(IDCANCEL);
        }
        EXPECT_EQ(boxes.nShown, 1);
        EXPECT_EQ(TakeLog(), Calls{"201:cancel"});
        EXPECT_TRUE(page3.IsActive());
        EXPECT_TRUE(page3.IsShown());

        CBoxAnswerer answerYes(IDYES, &boxes);
        Command(IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(boxes.nShown, 2);
    EXPECT_EQ(boxes.strText, "Wollen Sie wirklich die die Installation von Korvanu 1.1 abbrechen?");
    EXPECT_EQ(boxes.strCaption, "Korvanu 1.1-Installation");
    EXPECT_TRUE(boxes.bYesNo);
    std::vector<std::string> log = TakeLog();
    log.resize(3);
    EXPECT_EQ(log, (Calls{"201:cancel", "202:cancel", "203:cancel"}));
}

TEST_F(WizardFrame, CloseBoxAsksLikeCancel) {
    CBoxLog boxes;
    RunModal(frame, [&] {
        CBoxAnswerer answerNo(IDNO, &boxes);
        ::SendMessageA(frame.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpMessages();
        EXPECT_EQ(boxes.nShown, 1);
        EXPECT_TRUE(::IsWindowVisible(frame.m_hWnd));
    });
}

// What the dialog manager sends a page for Escape and Enter.
TEST_F(WizardFrame, EscapeInsideAPageKeepsItAndEnterGoesNextWhileNextCanBePressed) {
    CBoxLog boxes;
    RunModal(frame, [&] {
        CBoxAnswerer answerYes(IDYES, &boxes);
        Send(page1.m_hWnd, IDCANCEL);
        frame.EnableNextButton(FALSE);
        Send(page1.m_hWnd, IDOK);
        frame.EnableNextButton(TRUE);
        frame.ShowNextButton(FALSE);
        Send(page1.m_hWnd, IDOK);
        PumpMessages();
        EXPECT_TRUE(page1.IsShown());
        EXPECT_TRUE(::IsWindowVisible(frame.m_hWnd));
        frame.ShowNextButton(TRUE);
        Send(page1.m_hWnd, IDOK);
        EXPECT_TRUE(page2.IsActive());
    });
    EXPECT_EQ(boxes.nShown, 0);
}

TEST_F(WizardFrame, BusyFrameIgnoresEveryWayOut) {
    CBoxLog boxes;
    INT_PTR nResult = RunModal(frame, [&] {
        CBoxAnswerer answerYes(IDYES, &boxes);
        frame.SetBusy(TRUE);
        EXPECT_TRUE(frame.IsBusy());
        Command(IDOK);
        Command(IDCANCEL);
        ::SendMessageA(frame.m_hWnd, WM_CLOSE, 0, 0);
        ::SendMessageA(frame.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpMessages();
        EXPECT_TRUE(::IsWindowVisible(frame.m_hWnd));
        EXPECT_EQ(boxes.nShown, 0);
        frame.SetBusy(FALSE);
        // Enter where no button is the default one: Next, never the end.
        Command(IDOK);
        EXPECT_TRUE(page2.IsActive());
    });
    EXPECT_EQ(nResult, kScriptEnded);
}

TEST_F(WizardFrame, NextCaptionComesFromTheStringTable) {
    char szNext[32] = "", szMissing[32] = "x";
    RunModal(frame, [&] {
        frame.SetNextButtonText(IDS_FINISH);
        ::GetWindowTextA(Button(ID_WIZNEXT), szNext, sizeof szNext);
        frame.SetNextButtonText(999);
        ::GetWindowTextA(Button(ID_WIZNEXT), szMissing, sizeof szMissing);
    });
    EXPECT_STREQ(szNext, "Fertig");
    EXPECT_STREQ(szMissing, "");
}

TEST_F(WizardFrame, DestroyLeavesARefusingPageUnnotified) {
    page1.bKillActive = FALSE;
    RunModal(frame, [&] {});
    std::vector<std::string> log = TakeLog();
    EXPECT_EQ(log.back(), "201:kill");
    EXPECT_EQ(page1.m_hWnd, nullptr);
    EXPECT_TRUE(page1.IsCreated());
}

COLORREF BrushColor(HBRUSH hBrush) {
    LOGBRUSH lb = {};
    ::GetObjectA(hBrush, sizeof lb, &lb);
    return lb.lbColor;
}

TEST_F(WizardFrame, CustomColorsPaintWhiteBehindColouredText) {
    page1.SetColors(RGB(0, 0, 0), RGB(0, 0, 255));
    RunModal(frame, [&] {
        frame.ActivateNextPage();
        HDC hDC = ::CreateCompatibleDC(nullptr);
        ::SetTextColor(hDC, RGB(1, 2, 3));
        HWND hStatic = ::GetDlgItem(page1.m_hWnd, 303);
        auto ask = [&](HWND hPage, UINT message) {
            return reinterpret_cast<HBRUSH>(::SendMessageA(
                hPage, message, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hStatic)));
        };
        HBRUSH hDialog = ask(page1.m_hWnd, WM_CTLCOLORDLG);
        EXPECT_EQ(BrushColor(hDialog), RGB(255, 255, 255));
        EXPECT_EQ(::GetTextColor(hDC), RGB(1, 2, 3));
        HBRUSH hStaticBrush = ask(page1.m_hWnd, WM_CTLCOLORSTATIC);
        EXPECT_EQ(hStaticBrush, hDialog);
        EXPECT_EQ(::GetTextColor(hDC), RGB(0, 0, 0));
        EXPECT_EQ(::GetBkColor(hDC), RGB(0, 0, 255));
        HBRUSH hStandard = ask(page2.m_hWnd, WM_CTLCOLORDLG);
        EXPECT_NE(hStandard, hDialog);
        ::DeleteDC(hDC);
    });
}

} // namespace
