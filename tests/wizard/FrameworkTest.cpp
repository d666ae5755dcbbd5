// tests/wizard/FrameworkTest.cpp: the framework layer's own rules: string
// loading, data exchange binding and validation, subclassing.
#include "framework/AnsiString.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Static.h"
#include "res/resource.h"
#include "wizard/TextLabel.h"

#include <gtest/gtest.h>

#include <new>

namespace {

TEST(AnsiString, LoadsStringsInTheAnsiCodePage) {
    CString str;
    EXPECT_TRUE(str.LoadString(IDS_GAME_TITLE));
    EXPECT_EQ(str, "Korvanu 1.1");

    EXPECT_TRUE(str.LoadString(IDS_TARGET_TOPIC));
    char szExpected[64] = "";
    ::WideCharToMultiByte(CP_ACP, 0, L"Installationsziel w\u00e4hlen", -1, szExpected,
                          sizeof szExpected, nullptr, nullptr);
    EXPECT_EQ(str, szExpected);
}

TEST(AnsiString, IdWithoutAStringLoadsEmpty) {
    CString str("before");
    EXPECT_FALSE(str.LoadString(104));
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_FALSE(str.LoadString(4000));
    EXPECT_TRUE(str.IsEmpty());
}

TEST(AnsiString, FormatsLongTexts) {
    CString strLong(std::string(3000, 'x').c_str());
    CString str;
    str.Format("%s von %s: %dMB", strLong.c_str(), "Korvanu 1.1", 242);
    EXPECT_EQ(str.GetLength(), 3000 + 23);
    EXPECT_EQ(CString(str.c_str() + 3000), " von Korvanu 1.1: 242MB");
}

// Page template 201 bound the way the pages bind their controls.
class CBindingPage : public CDialog {
public:
    CBindingPage() : CDialog(201) {}

    CTextLabel m_label;
    CStatic m_plain;
    CString m_strPath = "E:\\";

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 301, m_label);
        DDX_Control(pDX, 303, m_plain);
        DDX_Text(pDX, 302, m_strPath);
        DDV_MaxChars(pDX, m_strPath, 5);
    }
};

class DataExchange : public testing::Test {
protected:
    DataExchange() {
        m_hParent = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                      nullptr, nullptr);
        m_parent.Attach(m_hParent);
        m_page.Create(201, &m_parent);
        ::GetClassInfoA(nullptr, "Static", &m_staticClass);
    }
    ~DataExchange() override { ::DestroyWindow(m_hParent); }

    static WNDPROC ProcOf(HWND hWnd) {
        return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    }

    HWND m_hParent;
    CWnd m_parent;
    CBindingPage m_page;
    WNDCLASSA m_staticClass = {};
};

TEST_F(DataExchange, SubclassesOnlyControlsThatPaintThemselves) {
    EXPECT_EQ(m_page.m_label.m_hWnd, ::GetDlgItem(m_page.m_hWnd, 301));
    EXPECT_EQ(m_page.m_plain.m_hWnd, ::GetDlgItem(m_page.m_hWnd, 303));
    EXPECT_NE(ProcOf(m_page.m_label.m_hWnd), m_staticClass.lpfnWndProc);
    EXPECT_EQ(ProcOf(m_page.m_plain.m_hWnd), m_staticClass.lpfnWndProc);
    m_page.UpdateData(FALSE);
    EXPECT_EQ(m_page.m_label.m_hWnd, ::GetDlgItem(m_page.m_hWnd, 301));
}

TEST_F(DataExchange, LoadingLimitsTheTextAndSavingChecksIt) {
    HWND hEdit = ::GetDlgItem(m_page.m_hWnd, 302);
    EXPECT_EQ(::SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0), 5);
    char sz[16] = "";
    ::GetWindowTextA(hEdit, sz, sizeof sz);
    EXPECT_STREQ(sz, "E:\\");

    ::SetWindowTextA(hEdit, "E:\\sub");
    EXPECT_FALSE(m_page.UpdateData(TRUE));
    ::SetWindowTextA(hEdit, "F:\\x");
    EXPECT_TRUE(m_page.UpdateData(TRUE));
    EXPECT_EQ(m_page.m_strPath, "F:\\x");
}

TEST_F(DataExchange, DestroyedControlsReleaseTheirWrappers) {
    m_page.DestroyWindow();
    EXPECT_EQ(m_page.m_hWnd, nullptr);
    EXPECT_EQ(m_page.m_label.m_hWnd, nullptr);
}

TEST(Subclassing, WrapperGoneFirstGivesTheControlItsProcedureBack) {
    HWND hStatic = ::CreateWindowExA(0, "Static", "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                     nullptr, nullptr);
    WNDPROC pfnOriginal = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hStatic, GWLP_WNDPROC));
    {
        CTextLabel label;
        ASSERT_TRUE(label.SubclassWindow(hStatic));
        EXPECT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hStatic, GWLP_WNDPROC)),
                  pfnOriginal);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hStatic, GWLP_WNDPROC)), pfnOriginal);
    EXPECT_EQ(::GetWindowLongPtrA(hStatic, GWLP_USERDATA), 0);
    ::RedrawWindow(hStatic, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::DestroyWindow(hStatic);
}

// A label that flashes, as a control derived from it starts a flash.
class CFlashingLabel : public CTextLabel {
public:
    void StartFlash(int nCount) {
        m_nFlashCount = nCount;
        m_crFlash = RGB(255, 0, 0);
        m_nFlashTimer = SetTimer(7, 60000, nullptr);
    }
    void Tick(UINT_PTR nIDEvent) { SendMessage(WM_TIMER, nIDEvent, 0); }
    COLORREF Colour() const { return m_crText; }
    UINT_PTR Timer() const { return m_nFlashTimer; }
    void OnPaint() override {
        if (m_bThrow)
            throw std::bad_alloc();
        CTextLabel::OnPaint();
    }
    bool m_bThrow = false;
};

class FlashingLabel : public testing::Test {
protected:
    FlashingLabel()
        : m_hStatic(::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                      nullptr, nullptr)) {
        m_label.SubclassWindow(m_hStatic);
        m_label.SetTextColor(RGB(0, 0, 0));
    }
    ~FlashingLabel() override { ::DestroyWindow(m_hStatic); }

    HWND m_hStatic;
    CFlashingLabel m_label;
};

TEST_F(FlashingLabel, EachTickTogglesTheColourUntilTheCountRunsOut) {
    m_label.StartFlash(3);
    const UINT_PTR nTimer = m_label.Timer();
    ASSERT_NE(nTimer, 0u);
    m_label.Tick(nTimer + 1);
    EXPECT_EQ(m_label.Colour(), RGB(0, 0, 0)) << "another timer";
    for (COLORREF crExpected : {RGB(255, 0, 0), RGB(0, 0, 0), RGB(255, 0, 0)}) {
        m_label.Tick(nTimer);
        EXPECT_EQ(m_label.Colour(), crExpected);
    }
    EXPECT_EQ(m_label.Timer(), 0u);
    EXPECT_FALSE(::KillTimer(m_hStatic, nTimer)) << "the timer still runs";
    m_label.Tick(nTimer);
    EXPECT_EQ(m_label.Colour(), RGB(255, 0, 0)) << "a tick after the end";
}

TEST_F(FlashingLabel, WithoutACountTheFlashGoesOn) {
    m_label.StartFlash(0);
    for (int i = 0; i < 5; ++i)
        m_label.Tick(m_label.Timer());
    EXPECT_EQ(m_label.Colour(), RGB(255, 0, 0));
    EXPECT_TRUE(::KillTimer(m_hStatic, m_label.Timer()));
}

// The exception stops at the window procedure; the next paint works.
TEST_F(FlashingLabel, AHandlerThatThrowsEndsOnlyItsMessage) {
    m_label.m_bThrow = true;
    ::SendMessageA(m_hStatic, WM_PAINT, 0, 0);
    m_label.m_bThrow = false;
    ::RedrawWindow(m_hStatic, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    m_label.Tick(1);
}

} // namespace
