// pages/FinishPage.cpp
#include "pages/FinishPage.h"

#include "framework/DataExchange.h"
#include "pages/PageText.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

CFinishPage::CFinishPage(CWnd* pParent) : CWizardPage(IDD_FINISH, pParent) {}

CFinishPage::~CFinishPage() = default;

void CFinishPage::DoDataExchange(CDataExchange* pDX) {
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FINISH_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_FINISH_PREFACE, m_stcPreface);
    DDX_Control(pDX, IDC_FINISH_HINT, m_stcHint);
}

BOOL CFinishPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 20, LoadTitledString(IDS_FINISH_TOPIC));
    m_stcPreface.SetWindowText(LoadTitledString(IDS_FINISH_PREFACE));
    m_stcHint.SetWindowText(LoadText(IDS_FINISH_HINT));
    return TRUE;
}

void CFinishPage::OnSetActive() {
    m_pFrame->EnableNextButton(TRUE);
    m_pFrame->EnableBackButton(FALSE);
    m_pFrame->EnableCancelButton(FALSE);
    m_pFrame->SetNextButtonText(IDS_FINISH);
}
