// framework/DataExchange.cpp
#include "framework/DataExchange.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    return m_hWndLastControl;
}

void CDataExchange::Fail() {
    m_bFailed = TRUE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl || rControl.m_hWnd == hWndCtrl)
        return;
    if (rControl.IsSelfPainting()) {
        rControl.UnsubclassWindow();
        rControl.SubclassWindow(hWndCtrl);
    } else {
        rControl.Attach(hWndCtrl);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate) {
        int nLength = ::GetWindowTextLengthA(hWndCtrl);
        std::string buffer(static_cast<std::size_t>(nLength) + 1, '\0');
        int nCopied = ::GetWindowTextA(hWndCtrl, &buffer[0], nLength + 1);
        value = CString(buffer.c_str(), nCopied);
    } else {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars)
            pDX->Fail();
    } else if (pDX->m_hWndLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}
