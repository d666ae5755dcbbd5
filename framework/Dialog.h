// framework/Dialog.h
#pragma once

#include "framework/Wnd.h"

class CDataExchange;

// A dialog from a template of the program's resources: modal (DoModal) or a
// modeless child (Create). The dialog procedure applies the DLGPROC return rules.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog in a modal loop of its own and returns EndDialog's result,
    // -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    // Called by the modal loop for a keyboard message whose window lies in an
    // inner dialog, innermost dialog first, and for every message in the
    // modal dialog itself; TRUE when the message was handled. The default
    // hands it to this dialog's dialog manager.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Standard initialisation: loads the controls through DoDataExchange.
    // TRUE lets the dialog manager set the initial focus.
    virtual BOOL OnInitDialog();

protected:
    // When the focus is on an enabled push button directly in this dialog,
    // sends this dialog the button's BN_CLICKED and returns TRUE.
    BOOL PressFocusedButton();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Default() override;
    void OnCommand(UINT nID, UINT nCode) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The CDialog of a window that is one of this framework's dialogs, else null.
    static CDialog* FromHandle(HWND hWnd);
    void RunModalLoop();
    BOOL PreTranslateInner(MSG* pMsg);
    void EnableOwner();

    BOOL m_bContinueModal = FALSE;
    INT_PTR m_nModalResult = -1;
    // The owner that DoModal disabled, until it is enabled again.
    HWND m_hDisabledOwner = nullptr;
};
