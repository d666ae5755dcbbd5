// wizard/WizardPage.cpp
#include "wizard/WizardPage.h"

#include "framework/AnsiString.h"
#include "res/resource.h"
#include "wizard/WizardCaption.h"
#include "wizard/WizardFrame.h"

BOOL CWizardPage::s_bCancelConfirmed = FALSE;

CWizardPage::CWizardPage(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nTemplateID(nIDTemplate) {}

CWizardPage::~CWizardPage() = default;

void CWizardPage::SetColors(COLORREF crText, COLORREF crBack) {
    m_crText = crText;
    m_crBack = crBack;
    m_bCustomColors = TRUE;
}

BOOL CWizardPage::OnInitDialog() {
    CDialog::OnInitDialog();
    m_fontTitle.CreateFont(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    m_brushBack.CreateSolidBrush(RGB(255, 255, 255));
    return TRUE;
}

BOOL CWizardPage::OnPageCreated() {
    return TRUE;
}

void CWizardPage::OnPageDestroy() {}

BOOL CWizardPage::OnKillActive() {
    return TRUE;
}

void CWizardPage::OnSetActive() {}

BOOL CWizardPage::OnQueryCancel() {
    if (s_bCancelConfirmed)
        return TRUE;
    CString strFormat, strSubject, strTitle;
    strFormat.LoadString(IDS_CANCEL_QUESTION);
    strSubject.LoadString(IDS_CANCEL_SUBJECT);
    strTitle.LoadString(IDS_GAME_TITLE);
    CString strText;
    strText.Format(strFormat.c_str(), strSubject.c_str(), strTitle.c_str());
    if (::MessageBoxA(m_hWnd, strText, LoadWizardCaption(), MB_YESNO | MB_ICONQUESTION) == IDNO)
        return FALSE;
    s_bCancelConfirmed = TRUE;
    return TRUE;
}

int CWizardPage::OnWizardBack() {
    return 0;
}

int CWizardPage::OnWizardNext() {
    return 0;
}

BOOL CWizardPage::OnWizardFinish() {
    return TRUE;
}

BOOL CWizardPage::PreTranslateMessage(MSG* pMsg) {
    // A page that is not shown leaves its keys to the frame.
    if (!m_bActive || pMsg->message != WM_KEYDOWN ||
        (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE))
        return FALSE;
    // A multiline edit asks its own dialog for the default button, which lives
    // in the frame: "If you do not specify [ES_WANTRETURN], pressing the ENTER
    // key has the same effect as pressing the dialog box's default push button."
    const LONG_PTR style = ::GetWindowLongPtrA(pMsg->hwnd, GWL_STYLE);
    if (pMsg->wParam == VK_RETURN && ::GetParent(pMsg->hwnd) == m_hWnd &&
        (::SendMessageA(pMsg->hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) &&
        (style & (ES_MULTILINE | ES_WANTRETURN)) == ES_MULTILINE) {
        OnOK();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CWizardPage::OnOK() {
    if (!PressFocusedButton() && m_pFrame)
        m_pFrame->SendMessage(WM_COMMAND, IDOK);
}

void CWizardPage::OnCancel() {}

LRESULT CWizardPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A multiline edit moves the focus for Tab itself, with WM_NEXTDLGCTL to
    // its dialog; the frame's navigation takes in its own buttons too.
    if (message == WM_NEXTDLGCTL && m_pFrame)
        return m_pFrame->SendMessage(message, wParam, lParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

HBRUSH CWizardPage::OnCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor) {
    if (!m_bCustomColors)
        return CDialog::OnCtlColor(hDC, hWnd, nCtlColor);
    switch (nCtlColor) {
    case CTLCOLOR_EDIT:
    case CTLCOLOR_LISTBOX:
    case CTLCOLOR_BTN:
    case CTLCOLOR_SCROLLBAR:
    case CTLCOLOR_STATIC:
        ::SetTextColor(hDC, m_crText);
        ::SetBkColor(hDC, m_crBack);
        break;
    default:
        break;
    }
    return m_brushBack;
}
