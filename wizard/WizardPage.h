// wizard/WizardPage.h
#pragma once

#include "framework/Brush.h"
#include "framework/Dialog.h"
#include "framework/Font.h"

class CWizardFrame;

// Base of the wizard pages: a modeless child dialog that the frame creates on
// its first activation and afterwards only hides and shows. The eight virtual
// operations are the page side of the frame's protocol.
class CWizardPage : public CDialog {
public:
    CWizardPage(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CWizardPage() override;

    // Black-on-white style colouring of the page and its controls; may be
    // called before the page has a window.
    void SetColors(COLORREF crText, COLORREF crBack);

    BOOL OnInitDialog() override;
    // Enter and Escape go to the page's own dialog manager; the other keys
    // (Tab, arrows, mnemonics) to the frame's, which moves across the page's
    // controls and the frame's buttons alike.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    virtual BOOL OnPageCreated();
    virtual void OnPageDestroy();
    virtual BOOL OnKillActive();
    virtual void OnSetActive();
    // Default: asks the user once per Cancel command, never again after a Yes.
    virtual BOOL OnQueryCancel();
    // -1 = stay, 0 = the neighbouring page, other = template id of the page to show.
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    virtual BOOL OnWizardFinish();

protected:
    // Enter inside a page presses the focused push button of the page, else
    // goes to the frame as IDOK (Next while Next can be pressed); it never
    // ends the wizard.
    void OnOK() override;
    // Escape inside a page does nothing: cancelling is the frame's business.
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CFont m_fontTitle;
    CBrush m_brushBack;
    CWizardFrame* m_pFrame = nullptr;
    COLORREF m_crBack = 0;
    COLORREF m_crText = 0;
    BOOL m_bCreated = FALSE;
    BOOL m_bActive = FALSE;
    UINT m_nTemplateID;
    BOOL m_bCustomColors = FALSE;

    // Set by the first confirmed Cancel, for the rest of the process.
    static BOOL s_bCancelConfirmed;

private:
    friend class CWizardFrame;
};
