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

    void SetLabelText(const char* pszText);
    COLORREF SetTextColor(COLORREF crText);
    void SetShadowColor(COLORREF crShadow);
    void SetLabelFont(const char* pszFace, int nHeight, int nWeight);
    // Invalidates the parent's area beneath the label (the label paints no
    // background of its own).
    void InvalidateParentArea(BOOL bErase = FALSE);

    BOOL IsSelfPainting() const override { return TRUE; }

protected:
    void OnPaint() override;
    void OnEnable(BOOL bEnable) override;

private:
    void DrawLine(HDC hDC, const RECT& rect, const char* pch, int nLength, int y) const;
    void Repaint();

    LOGFONTA m_logFont;
    CString m_strText;
    COLORREF m_crText;
    COLORREF m_crShadow = RGB(0, 0, 0);
    COLORREF m_crNormal;
};
