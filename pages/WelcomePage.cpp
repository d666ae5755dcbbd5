// pages/WelcomePage.cpp
#include "pages/WelcomePage.h"

#include "framework/DataExchange.h"
#include "pages/PageText.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

namespace {

// Free space the game needs, in MB. A fixed figure, not the payload's size.
constexpr int REQUIRED_MB = 242;

} // namespace

CWelcomePage::CWelcomePage(CWnd* pParent) : CWizardPage(IDD_WELCOME, pParent) {}

CWelcomePage::~CWelcomePage() = default;

void CWelcomePage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_WELCOME_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_WELCOME_PREFACE, m_stcPreface);
    DDX_Control(pDX, IDC_WELCOME_HINT, m_stcHint);
}

BOOL CWelcomePage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 20, LoadTitledString(IDS_WELCOME_TOPIC));

    CString strPreface;
    strPreface.Format(LoadText(IDS_WELCOME_PREFACE).c_str(), LoadText(IDS_GAME_TITLE).c_str(),
                      REQUIRED_MB);
    m_stcPreface.SetWindowText(strPreface);
    m_stcHint.SetWindowText(LoadText(IDS_WELCOME_HINT));
    return TRUE;
}

void CWelcomePage::OnSetActive() {
    m_pFrame->EnableNextButton(TRUE);
    m_pFrame->ShowNextButton(TRUE);
    m_pFrame->ShowBackButton(FALSE);
}
