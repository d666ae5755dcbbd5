// wizard/WizardFrame.cpp
#include "wizard/WizardFrame.h"

#include "framework/AnsiString.h"
#include "wizard/WizardPage.h"

#include <algorithm>

CWizardFrame::CWizardFrame(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {
    m_pages.reserve(10);
}

CWizardFrame::~CWizardFrame() {
    m_pages.clear();
}

void CWizardFrame::AddPage(CWizardPage* pPage, UINT nIDTemplate) {
    m_pages.push_back(pPage);
    pPage->m_nTemplateID = nIDTemplate;
}

void CWizardFrame::SetPlaceholderID(UINT nID) {
    m_nPlaceholderID = nID;
}

void CWizardFrame::EnableBackButton(BOOL bEnable) {
    EnableButton(ID_WIZBACK, bEnable);
}

void CWizardFrame::EnableNextButton(BOOL bEnable) {
    EnableButton(ID_WIZNEXT, bEnable);
    UpdateDefaultButton();
}

void CWizardFrame::EnableCancelButton(BOOL bEnable) {
    EnableButton(IDCANCEL, bEnable);
}

void CWizardFrame::ShowBackButton(BOOL bShow) {
    ShowButton(ID_WIZBACK, bShow);
}

void CWizardFrame::ShowNextButton(BOOL bShow) {
    ShowButton(ID_WIZNEXT, bShow);
    UpdateDefaultButton();
}

void CWizardFrame::SetNextButtonText(UINT nIDString) {
    CString strText;
    strText.LoadString(nIDString);
    if (HWND hButton = GetDlgItem(ID_WIZNEXT))
        ::SetWindowTextA(hButton, strText);
}

void CWizardFrame::ActivateNextPage() {
    if (CWizardPage* pNext = GetNeighbour(GetCurrentPage(), +1))
        ActivatePage(pNext);
}

void CWizardFrame::SetBusy(BOOL bBusy) {
    m_bBusy = bBusy;
}

BOOL CWizardFrame::IsBusy() const {
    return m_bBusy;
}

BOOL CWizardFrame::OnInitDialog() {
    CDialog::OnInitDialog();
    // With WS_EX_CONTROLPARENT the dialog manager's Tab and mnemonic navigation
    // reaches into the child page.
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    if (!m_pages.empty() && DeactivateCurrentPage())
        ActivatePage(m_pages.front());
    // FALSE: the first page has the focus. The dialog manager would give it to
    // the frame's first tab stop, "Abbrechen".
    return FALSE;
}

BOOL CWizardFrame::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && PressFocusedButton())
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CWizardFrame::ActivatePage(CWizardPage* pPage) {
    HWND hPlaceholder = GetDlgItem(static_cast<int>(m_nPlaceholderID));
    if (!pPage || !hPlaceholder)
        return FALSE;
    if (!pPage->m_bCreated) {
        if (!pPage->Create(pPage->m_nTemplateID, this))
            return FALSE;
        // The dialog manager steps into a child's controls only where the child
        // has WS_EX_CONTROLPARENT too; the page templates lack DS_CONTROL.
        pPage->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
        pPage->m_bCreated = TRUE;
        pPage->m_pFrame = this;
        if (!pPage->OnPageCreated())
            return FALSE;
    }
    if (!DeactivateCurrentPage())
        return FALSE;

    RECT rect;
    ::GetWindowRect(hPlaceholder, &rect);
    ScreenToClient(&rect);
    pPage->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pPage->EnableWindow(TRUE);
    pPage->ShowWindow(SW_SHOW);
    pPage->InvalidateRect(nullptr, TRUE);
    pPage->UpdateWindow();

    ShowButton(ID_WIZBACK, pPage != m_pages.front());
    m_bLastPage = pPage == m_pages.back();
    pPage->OnSetActive();
    UpdateDefaultButton();
    FocusPage(pPage);
    pPage->m_bActive = TRUE;
    return TRUE;
}

BOOL CWizardFrame::DeactivateCurrentPage() {
    CWizardPage* pPage = GetCurrentPage();
    if (!pPage)
        return TRUE;
    if (!pPage->OnKillActive())
        return FALSE;
    pPage->ShowWindow(SW_HIDE);
    pPage->m_bActive = FALSE;
    return TRUE;
}

CWizardPage* CWizardFrame::FindPage(UINT nIDTemplate) const {
    auto it = std::find_if(m_pages.begin(), m_pages.end(), [nIDTemplate](CWizardPage* pPage) {
        return pPage->m_nTemplateID == nIDTemplate;
    });
    return it != m_pages.end() ? *it : nullptr;
}

void CWizardFrame::OnBack() {
    CWizardPage* pPage = GetCurrentPage();
    if (!pPage)
        return;
    int nResult = pPage->OnWizardBack();
    if (nResult == 0)
        ActivatePage(GetNeighbour(pPage, -1));
    else if (nResult != -1)
        ActivatePage(FindPage(static_cast<UINT>(nResult)));
}

void CWizardFrame::OnNext() {
    CWizardPage* pPage = GetCurrentPage();
    if (!pPage)
        return;
    if (m_bLastPage)
        OnFinish();
    int nResult = pPage->OnWizardNext();
    if (nResult == 0)
        ActivatePage(GetNeighbour(pPage, +1));
    else if (nResult != -1)
        ActivatePage(FindPage(static_cast<UINT>(nResult)));
}

void CWizardFrame::OnFinish() {
    CWizardPage* pPage = GetCurrentPage();
    if (!pPage || !pPage->OnKillActive())
        return;
    for (CWizardPage* pCreated : m_pages) {
        if (pCreated->m_bCreated && !pCreated->OnWizardFinish())
            return;
    }
    UpdateData(TRUE);
    EndDialog(static_cast<int>(ID_WIZFINISH));
}

void CWizardFrame::OnOK() {
    if (IsNextPressable())
        OnNext();
}

void CWizardFrame::OnCancel() {
    if (m_bBusy)
        return;
    for (CWizardPage* pPage : m_pages) {
        if (pPage->m_bCreated && !pPage->OnQueryCancel())
            return;
    }
    CDialog::OnCancel();
}

void CWizardFrame::OnDestroy() {
    for (CWizardPage* pPage : m_pages) {
        if (pPage->m_bCreated && pPage->OnKillActive()) {
            pPage->OnPageDestroy();
            pPage->DestroyWindow();
            pPage->m_bCreated = FALSE;
        }
    }
    CDialog::OnDestroy();
}

void CWizardFrame::OnCommand(UINT nID, UINT nCode) {
    if (nCode != BN_CLICKED) {
        CDialog::OnCommand(nID, nCode);
        return;
    }
    switch (nID) {
    case ID_WIZFINISH:
        OnFinish();
        break;
    case ID_WIZBACK:
        OnBack();
        break;
    case ID_WIZNEXT:
        OnNext();
        break;
    case IDOK:
    case IDCANCEL:
        if (!m_bBusy)
            CDialog::OnCommand(nID, nCode);
        break;
    default:
        CDialog::OnCommand(nID, nCode);
        break;
    }
}

void CWizardFrame::OnSysCommand(UINT nID, LPARAM lParam) {
    if (m_bBusy && (nID & 0xFFF0) == SC_CLOSE)
        return;
    CDialog::OnSysCommand(nID, lParam);
}

void CWizardFrame::OnClose() {
    if (!m_bBusy)
        CDialog::OnClose();
}

CWizardPage* CWizardFrame::GetCurrentPage() const {
    auto it = std::find_if(m_pages.begin(), m_pages.end(),
                           [](CWizardPage* pPage) { return pPage->m_bActive; });
    return it != m_pages.end() ? *it : nullptr;
}

CWizardPage* CWizardFrame::GetNeighbour(CWizardPage* pPage, int nStep) const {
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    if (!pPage || it == m_pages.end())
        return nullptr;
    if (nStep < 0)
        return it == m_pages.begin() ? nullptr : *(it - 1);
    return it + 1 == m_pages.end() ? nullptr : *(it + 1);
}

void CWizardFrame::ShowButton(UINT nID, BOOL bShow) {
    if (HWND hButton = GetDlgItem(static_cast<int>(nID)))
        ::ShowWindow(hButton, bShow ? SW_SHOWNORMAL : SW_HIDE);
}

void CWizardFrame::EnableButton(UINT nID, BOOL bEnable) {
    if (HWND hButton = GetDlgItem(static_cast<int>(nID)))
        ::EnableWindow(hButton, bEnable);
}

// Next's own styles: IsWindowVisible would also ask the frame, which is not
// shown yet while its first page is activated.
BOOL CWizardFrame::IsNextPressable() const {
    const HWND hNext = GetDlgItem(ID_WIZNEXT);
    return hNext && (::GetWindowLongA(hNext, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// Next is the default button while it can be pressed, so that Enter presses it
// and it looks so, whatever its caption. Else the default id is IDOK, which no
// control carries: Enter then sends IDOK, and OnOK does nothing.
void CWizardFrame::UpdateDefaultButton() {
    if (m_hWnd)
        SendMessage(DM_SETDEFID, IsNextPressable() ? ID_WIZNEXT : IDOK);
}

// Left alone, the focus would stay on the page just hidden or on the frame,
// where Enter and Escape reach no page. A page that placed the focus itself in
// OnSetActive keeps it there. WM_NEXTDLGCTL, not SetFocus, so that the dialog
// manager moves the default button's look along.
void CWizardFrame::FocusPage(CWizardPage* pPage) {
    const HWND hFocus = ::GetFocus();
    if (hFocus && ::IsChild(pPage->m_hWnd, hFocus))
        return;
    HWND hTarget = ::GetWindow(pPage->m_hWnd, GW_CHILD);
    while (hTarget && (::GetWindowLongA(hTarget, GWL_STYLE) &
                       (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) != (WS_TABSTOP | WS_VISIBLE))
        hTarget = ::GetWindow(hTarget, GW_HWNDNEXT);
    if (!hTarget && IsNextPressable())
        hTarget = GetDlgItem(ID_WIZNEXT);
    if (hTarget)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hTarget), TRUE);
}
