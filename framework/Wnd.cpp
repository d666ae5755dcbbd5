// framework/Wnd.cpp
#include "framework/Wnd.h"

CWnd::~CWnd() {
    // A subclassed control outlives its wrapper only when the wrapper is
    // destroyed first; give the control its own procedure back.
    if (m_pfnSuper)
        UnsubclassWindow();
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_pfnSuper)
        return FALSE;
    // GWLP_USERDATA "is intended for use by the application that created the window".
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    }
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    CMessage msg{message, wParam, lParam, FALSE};
    LRESULT lResult = pWnd->Dispatch(msg);
    if (message == WM_NCDESTROY) {
        WNDPROC pfnSuper = pWnd->m_pfnSuper;
        pWnd->UnsubclassWindow();
        if (!msg.bDefault)
            ::CallWindowProcA(pfnSuper, hWnd, message, wParam, lParam);
    }
    return lResult;
}

LRESULT CWnd::Dispatch(CMessage& msg) {
    CMessage* pOuter = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    LRESULT lResult = 0;
    // An exception must not unwind through the system's frames that called the
    // window procedure: a handler that throws (out of memory) ends the message.
    try {
        lResult = WindowProc(msg.message, msg.wParam, msg.lParam);
    } catch (...) {
        lResult = 0;
    }
    m_pCurrentMsg = pOuter;
    return lResult;
}

LRESULT CWnd::Default() {
    if (!m_pCurrentMsg)
        return 0;
    CMessage& msg = *m_pCurrentMsg;
    msg.bDefault = TRUE;
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg.message, msg.wParam, msg.lParam);
    return ::DefWindowProcA(m_hWnd, msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsCtlColorMessage(message))
        return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return Default();
    }
}

void CWnd::OnCommand(UINT, UINT) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

void CWnd::OnEnable(BOOL) {
    Default();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnDestroy() {
    Default();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCSTR pszText) {
    ::SetWindowTextA(m_hWnd, pszText);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::InvalidateRect(const RECT* pRect, BOOL bErase) {
    // A null window would mean "every window" to InvalidateRect.
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, pRect, bErase);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

void CWnd::GetClientRect(RECT* pRect) const {
    ::GetClientRect(m_hWnd, pRect);
}

void CWnd::GetWindowRect(RECT* pRect) const {
    ::GetWindowRect(m_hWnd, pRect);
}

void CWnd::ScreenToClient(RECT* pRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(pRect), 2);
}

BOOL CWnd::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

void CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd) {
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (style & ~static_cast<LONG_PTR>(dwRemove)) | dwAdd);
}

HWND CWnd::GetParent() const {
    return ::GetParent(m_hWnd);
}

HWND CWnd::GetDlgItem(int nID) const {
    return m_hWnd ? ::GetDlgItem(m_hWnd, nID) : nullptr;
}

void CWnd::SetDlgItemText(int nID, LPCSTR pszText) {
    ::SetDlgItemTextA(m_hWnd, nID, pszText);
}

HWND CWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC pfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, pfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

HMENU CWnd::GetSystemMenu(BOOL bRevert) const {
    return ::GetSystemMenu(m_hWnd, bRevert);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::DestroyWindow() {
    return ::DestroyWindow(m_hWnd);
}
