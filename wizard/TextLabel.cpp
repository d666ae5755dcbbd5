// wizard/TextLabel.cpp
#include "wizard/TextLabel.h"

#include "framework/Font.h"
#include "framework/PaintDC.h"
#include "framework/SelectGuard.h"
#include "wizard/LabelLayout.h"

#include <new>

CTextLabel::CTextLabel()
    : m_logFont(), m_crText(::GetSysColor(COLOR_BTNTEXT)), m_crFlash(::GetSysColor(COLOR_3DLIGHT)),
      m_crNormal(::GetSysColor(COLOR_BTNTEXT)) {
    m_logFont.lfHeight = 14;
    m_logFont.lfWeight = FW_BOLD;
    ::lstrcpynA(m_logFont.lfFaceName, "Arial", LF_FACESIZE);
}

CTextLabel::~CTextLabel() = default;

void CTextLabel::SetLabelText(const char* pszText) {
    if (m_hWnd)
        SetWindowText(pszText ? pszText : "");
    else
        m_strText = pszText;
}

COLORREF CTextLabel::SetTextColor(COLORREF crText) {
    COLORREF crPrevious = m_crNormal;
    m_crNormal = crText;
    m_crText = crText;
    Repaint();
    return crPrevious;
}

void CTextLabel::SetShadowColor(COLORREF crShadow) {
    m_crShadow = crShadow;
}

void CTextLabel::SetLabelFont(const char* pszFace, int nHeight, int nWeight) {
    // At most 31 characters: the 32nd stays the terminating NUL.
    ::lstrcpynA(m_logFont.lfFaceName, pszFace ? pszFace : "", LF_FACESIZE);
    m_logFont.lfHeight = nHeight;
    m_logFont.lfWeight = nWeight;
}

void CTextLabel::InvalidateParentArea(BOOL bErase) {
    HWND hParent = m_hWnd ? GetParent() : nullptr;
    if (!hParent)
        return;
    RECT rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(hParent, &rect, bErase);
}

LRESULT CTextLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETTEXT)
        return CStatic::WindowProc(message, wParam, lParam);
    // The static control's own WM_SETTEXT paints the text at once, background
    // included, over what lies beneath the label. DefWindowProc only stores the
    // window text, which WM_GETTEXT returns (screen readers read it there).
    const LRESULT lResult = ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    m_strText = reinterpret_cast<LPCSTR>(lParam);
    Repaint();
    return lResult;
}

void CTextLabel::OnPaint() {
    CPaintDC dc(this);
    RECT rect;
    GetClientRect(&rect);
    // No background: whatever lies beneath the label shows between the letters.
    ::SetBkMode(dc, TRANSPARENT);
    CFont font;
    font.CreateFontIndirect(&m_logFont);
    CSelectGuard selectFont(dc, font);
    TEXTMETRICA tm;
    ::GetTextMetricsA(dc, &tm);

    const char* pszText = m_strText.c_str();
    auto measure = [&dc](const char* pch, std::size_t nLength) {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32A(dc, pch, static_cast<int>(nLength), &size);
        return static_cast<long>(size.cx);
    };
    try {
        int y = 0;
        for (const CLabelLine& line : BreakLabelLines(pszText, rect.right, measure)) {
            DrawLine(dc, rect, pszText + line.nStart, static_cast<int>(line.nLength), y);
            y += tm.tmHeight;
        }
    } catch (const std::bad_alloc&) {
        // No memory for the line layout: this paint draws nothing, the next one tries again.
    }
}

void CTextLabel::OnTimer(UINT_PTR nIDEvent) {
    if (m_nFlashTimer != 0 && nIDEvent == m_nFlashTimer) {
        if (m_nFlashCount > 0 && --m_nFlashCount == 0) {
            KillTimer(m_nFlashTimer);
            m_nFlashTimer = 0;
        }
        m_crText = m_crText == m_crNormal ? m_crFlash : m_crNormal;
        InvalidateRect(nullptr, FALSE);
    }
    Default();
}

void CTextLabel::OnEnable(BOOL) {
    // The label draws no background: the parent must repaint beneath the old look.
    InvalidateParentArea(TRUE);
    InvalidateRect(nullptr, FALSE);
}

void CTextLabel::DrawLine(HDC hDC, const RECT& rect, const char* pch, int nLength, int y) const {
    auto layer = [&](COLORREF crColor, int x, int yLayer) {
        ::SetTextColor(hDC, crColor);
        ::ExtTextOutA(hDC, x, yLayer, ETO_CLIPPED, &rect, pch, static_cast<UINT>(nLength), nullptr);
    };
    if (::IsWindowEnabled(m_hWnd)) {
        layer(m_crShadow, 1, y + 1);
        layer(m_crText, 0, y);
    } else {
        // The embossed look of disabled text replaces the label's own colours.
        layer(::GetSysColor(COLOR_BTNHIGHLIGHT), 0, y);
        layer(::GetSysColor(COLOR_GRAYTEXT), 1, y + 1);
    }
}

// A change while the label is shown also repaints what lies beneath it, or
// the old text would stay visible under the new one.
void CTextLabel::Repaint() {
    if (!m_hWnd)
        return;
    if (IsWindowVisible())
        InvalidateParentArea(TRUE);
    InvalidateRect(nullptr, FALSE);
}
