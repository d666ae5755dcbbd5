// framework/DataExchange.h
#pragma once

#include "framework/AnsiString.h"
#include "framework/Wnd.h"

// One run of a dialog's DoDataExchange, in one direction: loading (values to
// controls) or saving (controls to values, with validation).
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control with that id, remembered for the validation that follows.
    HWND PrepareCtrl(int nIDC);
    void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bFailed = FALSE;
};

// Binds rControl to control nIDC once: subclassed if it paints itself,
// otherwise only attached. A missing control binds nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Loading: limits the last control's text (EM_LIMITTEXT). Saving: fails when
// the value is longer.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
