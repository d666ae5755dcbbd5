// pages/LicensePage.cpp
#include "pages/LicensePage.h"

#include "framework/DataExchange.h"
#include "pages/PageText.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

CLicensePage::CLicensePage(CWnd* pParent) : CWizardPage(IDD_LICENSE, pParent) {}

CLicensePage::~CLicensePage() = default;

void CLicensePage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_LICENSE_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_LICENSE_SUBTOPIC, m_lblSubtopic);
    DDX_Control(pDX, IDC_LICENSE_CHECK, m_chkAccept);
    DDX_Text(pDX, IDC_LICENSE_TEXT, m_strLicenseText);
    DDX_Control(pDX, IDC_LICENSE_TEXT, m_edtLicense);
}

BOOL CLicensePage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 12, LoadText(IDS_LICENSE_TOPIC));
    SetSubtopicLabel(m_lblSubtopic, LoadText(IDS_LICENSE_SUBTOPIC));
    SetDlgItemText(IDC_LICENSE_PREFACE, LoadText(IDS_LICENSE_PREFACE));
    SetDlgItemText(IDC_LICENSE_HINT, LoadTitledString(IDS_LICENSE_HINT));
    m_chkAccept.SetWindowText(LoadText(IDS_LICENSE_CHECK));
    m_strLicenseText.LoadString(IDS_LICENSE_TEXT);
    UpdateData(FALSE);
    return TRUE;
}

void CLicensePage::OnSetActive() {
    // Caret to the very start, nothing selected, and the box scrolled to its
    // first line. SetFocus, not WM_NEXTDLGCTL: the dialog manager's focus move
    // would select the whole text.
    m_edtLicense.SetSel(0, 0);
    m_edtLicense.SendMessage(EM_SCROLLCARET);
    m_edtLicense.SetFocus();
    m_pFrame->EnableNextButton(m_bAccepted);
}

void CLicensePage::OnAcceptClicked() {
    // An automatic check box has toggled itself before BN_CLICKED arrives.
    m_bAccepted = m_chkAccept.GetCheck() == BST_CHECKED;
    m_pFrame->EnableNextButton(m_bAccepted);
}

void CLicensePage::OnCommand(UINT nID, UINT nCode) {
    if (nID == IDC_LICENSE_CHECK && nCode == BN_CLICKED)
        OnAcceptClicked();
    else
        CWizardPage::OnCommand(nID, nCode);
}
