// wizard/TextLabel.h
#pragma once

#include "framework/AnsiString.h"
#include "framework/Static.h"

// A static control that paints its text itself: own font and colours,
// word-wrapped at blanks, a one-pixel drop shadow, and no background, so what
// lies beneath shows through. Bound to a STATIC control with DDX_Control.
class CTextLabel : public CStatic {
public:
    CTextLabel();
    ~CTextLabel() override;

    // The text painted, also the window text that WM_GETTEXT returns; a
    // WM_SETTEXT from elsewhere changes both alike.
    void SetLabelText(const char* pszText);
    COLORREF SetTextColor(COLORREF crText);
    void SetShadowColor(COLORREF crShadow);
    void SetLabelFont(const char* pszFace, int nHeight, int nWeight);
    // Invalidates the parent's area beneath the label (the label paints no
    // background of its own).
    void InvalidateParentArea(BOOL bErase = FALSE);

    BOOL IsSelfPainting() const override { return TRUE; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnEnable(BOOL bEnable) override;
    // A tick of the flash timer toggles the text between the normal and the
    // flash colour, and stops the timer once the count runs out.
    void OnTimer(UINT_PTR nIDEvent) override;

    LOGFONTA m_logFont;
    CString m_strText;
    // Drawing style of the two layers: 3, the shadow one pixel right and below.
    int m_nEffect = 3;
    COLORREF m_crText;
    COLORREF m_crShadow = RGB(0, 0, 0);
    // A flash, started by a control derived from this one: colour toggles
    // left (0 or less: no limit), the second colour, and the timer's id (0: none).
    int m_nFlashCount = -1;
    COLORREF m_crFlash;
    UINT_PTR m_nFlashTimer = 0;
    COLORREF m_crNormal;

private:
    void DrawLine(HDC hDC, const RECT& rect, const char* pch, int nLength, int y) const;
    void Repaint();
};
