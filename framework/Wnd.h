// framework/Wnd.h
#pragma once

#include <windows.h>

// A window wrapper over one HWND. Messages reach the virtual handlers through
// WindowProc; a wrapper never destroys a window that it did not create.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Binding to an existing window: Attach only remembers the handle;
    // SubclassWindow also routes the window's messages to this object.
    void Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();
    // TRUE for controls that paint themselves; DDX_Control subclasses those.
    virtual BOOL IsSelfPainting() const { return FALSE; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(LPCSTR pszText);
    BOOL EnableWindow(BOOL bEnable);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE);
    void UpdateWindow();
    void GetClientRect(RECT* pRect) const;
    void GetWindowRect(RECT* pRect) const;
    void ScreenToClient(RECT* pRect) const;
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void ModifyStyleEx(DWORD dwRemove, DWORD dwAdd);
    HWND GetParent() const;
    HWND GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCSTR pszText);
    HWND SetFocus();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC pfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);
    HMENU GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL DestroyWindow();

    HWND m_hWnd = nullptr;

protected:
    // The one message switch: maps messages onto the handlers below.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: the colour requests, one message
    // per CTLCOLOR_ type and in that type's order.
    static constexpr bool IsCtlColorMessage(UINT message) {
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
    // Standard processing of the message being handled.
    virtual LRESULT Default();

    virtual void OnCommand(UINT nID, UINT nCode);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual HBRUSH OnCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    virtual HCURSOR OnQueryDragIcon();
    virtual void OnEnable(BOOL bEnable);
    virtual void OnClose();
    virtual void OnDestroy();

    // The message being handled, kept on the dispatcher's stack; nested
    // messages (a message box inside a handler) save and restore it.
    struct CMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        BOOL bDefault;
    };
    LRESULT Dispatch(CMessage& msg);
    CMessage* m_pCurrentMsg = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
};
