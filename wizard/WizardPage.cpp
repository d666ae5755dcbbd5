// wizard/WizardPage.cpp
#include "wizard/WizardPage.h"

#include "framework/AnsiString.h"
#include "res/resource.h"
#include "wizard/WizardCaption.h"

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

void CWizardPage::OnOK() {}

void CWizardPage::OnCancel() {}

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
