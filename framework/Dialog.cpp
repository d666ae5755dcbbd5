// framework/Dialog.cpp
#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    // A modeless dialog still open goes with its object; unhook it first so
    // that its last messages do not reach a half-destroyed object.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

// DialogBox would run only this dialog's dialog manager, so Enter and Escape
// inside a child dialog (a wizard page) would reach this one instead. The loop
// here does what DialogBox does (disables the owner, shows the dialog, ends on
// EndDialog or WM_QUIT) and offers keyboard messages to the inner dialogs first.
INT_PTR CDialog::DoModal() {
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!hOwner && pMainWnd && pMainWnd != this)
        hOwner = pMainWnd->m_hWnd;
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    HWND hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     hOwner, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd) {
        m_bContinueModal = FALSE;
        return -1;
    }
    if (hOwner && ::IsWindowEnabled(hOwner)) {
        m_hDisabledOwner = hOwner;
        ::EnableWindow(hOwner, FALSE);
    }
    if (m_bContinueModal)
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
    RunModalLoop();
    EnableOwner();
    if (::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    return m_nModalResult;
}

void CDialog::EnableOwner() {
    if (m_hDisabledOwner)
        ::EnableWindow(m_hDisabledOwner, TRUE);
    m_hDisabledOwner = nullptr;
}

void CDialog::RunModalLoop() {
    const HWND hWnd = m_hWnd;
    MSG msg;
    while (m_bContinueModal && ::IsWindow(hWnd)) {
        const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == -1)
            break;
        if (!bGot) {
            // WM_QUIT ends the dialog and stays for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateInner(&msg) || PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_bContinueModal = FALSE;
}

BOOL CDialog::PreTranslateInner(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    for (HWND hWnd = pMsg->hwnd; hWnd && hWnd != m_hWnd; hWnd = ::GetAncestor(hWnd, GA_PARENT)) {
        CDialog* pDlg = FromHandle(hWnd);
        if (pDlg && pDlg->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::PressFocusedButton() {
    // The dialog manager presses a focused button for Enter only when it is
    // the default one, which a button that got the focus by a click is not.
    const HWND hFocus = ::GetFocus();
    if (!hFocus || ::GetParent(hFocus) != m_hWnd || !::IsWindowEnabled(hFocus) ||
        !(::SendMessageA(hFocus, WM_GETDLGCODE, 0, 0) &
          (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return FALSE;
    SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hFocus), BN_CLICKED),
                reinterpret_cast<LPARAM>(hFocus));
    return TRUE;
}

CDialog* CDialog::FromHandle(HWND hWnd) {
    // Only a dialog window's extra bytes hold a dialog procedure.
    char szClass[8] = "";
    if (!::GetClassNameA(hWnd, szClass, sizeof szClass) || lstrcmpA(szClass, "#32770") != 0 ||
        ::GetWindowLongPtrA(hWnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CDialog::DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HWND hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::EndDialog(int nResult) {
    if (m_bContinueModal) {
        m_nModalResult = nResult;
        m_bContinueModal = FALSE;
        // Before the dialog hides, so that the owner becomes the active window.
        EnableOwner();
    }
    // Hides the dialog at once and wakes the loop, as for a DialogBox.
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnCommand(UINT nID, UINT nCode) {
    if (nCode == BN_CLICKED && nID == IDOK)
        OnOK();
    else if (nCode == BN_CLICKED && nID == IDCANCEL)
        OnCancel();
    else
        Default();
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

// In a dialog procedure the default processing is the dialog manager's:
// returning FALSE hands the message back to it.
LRESULT CDialog::Default() {
    if (m_pCurrentMsg)
        m_pCurrentMsg->bDefault = TRUE;
    return 0;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* pInit = reinterpret_cast<CDialog*>(lParam);
        pInit->m_hWnd = hWnd;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    }
    CDialog* pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!pDlg)
        return FALSE;
    CMessage msg{message, wParam, lParam, FALSE};
    LRESULT lResult = pDlg->Dispatch(msg);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == pDlg)
            pApp->m_pMainWnd = nullptr;
    }
    if (msg.bDefault)
        return FALSE;
    // "Return value: ... the following messages are exceptions": the DLGPROC
    // returns the results of WM_INITDIALOG, the WM_CTLCOLOR messages and
    // WM_QUERYDRAGICON directly instead of through DWLP_MSGRESULT.
    if (message == WM_INITDIALOG || IsCtlColorMessage(message) || message == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
