// tests/wizard/TextLabelTest.cpp: what a label puts on the screen, read back
// pixel by pixel from a window in this process.
#include "wizard/TextLabel.h"
#include "framework/Brush.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A green window holding one label (control 301 of template 210).
class CLabelHost : public CDialog {
public:
    CLabelHost() : CDialog(210) {
        m_brush.CreateSolidBrush(kGreen);
        Create(210);
    }
    ~CLabelHost() override { DestroyWindow(); }

    CTextLabel m_label;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 301, m_label); }
    HBRUSH OnCtlColor(HDC, HWND, UINT) override { return m_brush; }

private:
    CBrush m_brush;
};

bool Near(COLORREF a, COLORREF b, int nTolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// Where pixels of one colour lie in the label's client area.
struct CExtent {
    int nCount = 0;
    int nLeft = 10000, nTop = 10000, nRight = -1, nBottom = -1;
    void Add(int x, int y) {
        ++nCount;
        nLeft = std::min(nLeft, x);
        nTop = std::min(nTop, y);
        nRight = std::max(nRight, x);
        nBottom = std::max(nBottom, y);
    }
};

class TextLabel : public testing::Test {
protected:
    TextLabel() {
        label.SetTextColor(kBlack);
        label.SetShadowColor(kRed);
        label.SetLabelFont("Tahoma", 30, FW_BOLD);
    }

    void Paint() {
        ::RedrawWindow(host.m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    CExtent Find(const std::function<bool(COLORREF)>& match) {
        CExtent extent;
        RECT rect;
        ::GetClientRect(label.m_hWnd, &rect);
        HDC hDC = ::GetDC(label.m_hWnd);
        for (int y = 0; y < rect.bottom; ++y)
            for (int x = 0; x < rect.right; ++x)
                if (match(::GetPixel(hDC, x, y)))
                    extent.Add(x, y);
        ::ReleaseDC(label.m_hWnd, hDC);
        return extent;
    }
    CExtent Find(COLORREF crColor, int nTolerance = 60) {
        return Find([=](COLORREF cr) { return Near(cr, crColor, nTolerance); });
    }
    int Area() {
        RECT rect;
        ::GetClientRect(label.m_hWnd, &rect);
        return rect.right * rect.bottom;
    }

    CLabelHost host;
    CTextLabel& label = host.m_label;
};

TEST_F(TextLabel, EmptyTextLeavesWhatLiesBeneath) {
    label.SetLabelText("");
    Paint();
    EXPECT_EQ(Find(kGreen, 0).nCount, Area());
}

TEST_F(TextLabel, ShadowLiesOnePixelRightAndBelowWithoutBackground) {
    label.SetLabelText("IH");
    Paint();
    CExtent text = Find(kBlack);
    CExtent shadow = Find(kRed);
    ASSERT_GT(text.nCount, 20);
    ASSERT_GT(shadow.nCount, 0);
    EXPECT_EQ(shadow.nRight, text.nRight + 1);
    EXPECT_EQ(shadow.nBottom, text.nBottom + 1);
    EXPECT_LE(text.nRight, 60);
    EXPECT_GT(Find(kGreen, 0).nCount, Area() / 2);
}

TEST_F(TextLabel, LinesAreTheFontsHeightApart) {
    ::SetWindowPos(label.m_hWnd, nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
    label.SetLabelText("HHHH HHHH");
    Paint();
    HDC hDC = ::GetDC(label.m_hWnd);
    HFONT hFont = ::CreateFontA(30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    // The rows where a run of letters begins: one per line.
    std::vector<int> starts;
    bool bPrevious = false;
    for (int y = 0; y < 90; ++y) {
        bool bInk = false;
        for (int x = 0; x < 120 && !bInk; ++x)
            bInk = Near(::GetPixel(hDC, x, y), kBlack, 60);
        if (bInk && !bPrevious)
            starts.push_back(y);
        bPrevious = bInk;
    }
    ::ReleaseDC(label.m_hWnd, hDC);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1] - starts[0], tm.tmHeight);
}

TEST_F(TextLabel, DisabledLabelIsEmbossedGrey) {
    label.SetLabelText("IH");
    ::EnableWindow(label.m_hWnd, FALSE);
    Paint();
    const COLORREF crGray = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(Find(kBlack, 20).nCount, 0);
    EXPECT_EQ(Find(kRed, 20).nCount, 0);
    CExtent gray = Find(crGray, 20);
    CExtent light = Find(crLight, 20);
    ASSERT_GT(gray.nCount, 0);
    ASSERT_GT(light.nCount, 0);
    // The grey layer lies on top, so the light one shows at the upper left.
    EXPECT_EQ(gray.nLeft, light.nLeft + 1);
    EXPECT_EQ(gray.nTop, light.nTop + 1);
}

// Set while shown, the text is the window text, and only the label paints it:
// the static control's WM_SETTEXT would draw text and background at once.
TEST_F(TextLabel, TextIsTheWindowTextAndOnlyTheLabelPaintsIt) {
    Paint();
    label.SetLabelText("IH");
    EXPECT_EQ(Find(kGreen, 0).nCount, Area());
    char szText[8] = "";
    ::GetWindowTextA(label.m_hWnd, szText, sizeof szText);
    EXPECT_STREQ(szText, "IH");
}

TEST_F(TextLabel, NewTextWhileShownClearsTheOldOne) {
    label.SetLabelText("HHHH");
    Paint();
    ASSERT_GT(Find(kBlack).nCount, 0);
    label.SetLabelText("");
    ::UpdateWindow(host.m_hWnd);
    ::UpdateWindow(label.m_hWnd);
    EXPECT_EQ(Find(kGreen, 0).nCount, Area());
}

} // namespace
