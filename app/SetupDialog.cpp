// app/SetupDialog.cpp
#include "app/SetupDialog.h"

#include "app/AboutDlg.h"
#include "framework/AnsiString.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "wizard/WizardCaption.h"

CSetupDialog::CSetupDialog(CWnd* pParent)
    : CWizardFrame(IDD_SETUP_DIALOG, pParent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP))) {}

BOOL CSetupDialog::OnInitDialog() {
    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
        CString strAbout;
        strAbout.LoadString(IDS_ABOUTBOX);
        if (!strAbout.IsEmpty()) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAbout);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    SetWindowText(LoadWizardCaption());

    SetPlaceholderID(IDC_PAGE_AREA);
    return CWizardFrame::OnInitDialog();
}

void CSetupDialog::OnSysCommand(UINT nID, LPARAM lParam) {
    // The system reserves the four low-order bits of a system command.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    CWizardFrame::OnSysCommand(nID, lParam);
}

void CSetupDialog::OnPaint() {
    if (!IsIconic()) {
        CWizardFrame::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}

HCURSOR CSetupDialog::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}
