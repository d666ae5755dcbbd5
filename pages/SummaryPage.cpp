// pages/SummaryPage.cpp
#include "pages/SummaryPage.h"

#include "archive/ArchivFormat.h"
#include "archive/PayloadArchive.h"
#include "framework/DataExchange.h"
#include "pages/PageText.h"
#include "pages/TargetDir.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

namespace {

// In code page 1252, as Windows shows it.
const char kNoRoom[] = "Auf dem Ziellaufwerk sind nur %d MB frei. F\xFCr die Installation "
                       "werden %d MB ben\xF6tigt.";

} // namespace

CSummaryPage::CSummaryPage(CWnd* pParent) : CWizardPage(IDD_SUMMARY, pParent) {}

CSummaryPage::~CSummaryPage() = default;

void CSummaryPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SUMMARY_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_SUMMARY_SUBTOPIC, m_lblSubtopic);
    DDX_Control(pDX, IDC_SUMMARY_PREFACE, m_stcPreface);
    DDX_Text(pDX, IDC_SUMMARY_PATH, m_strTargetPath);
}

BOOL CSummaryPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 12, LoadText(IDS_SUMMARY_TOPIC));
    SetSubtopicLabel(m_lblSubtopic, LoadTitledString(IDS_SUMMARY_SUBTOPIC));
    m_stcPreface.SetWindowText(LoadTitledString(IDS_SUMMARY_PREFACE));
    return TRUE;
}

void CSummaryPage::OnSetActive() {
    m_pFrame->SetNextButtonText(IDS_INSTALL);
    // Taken anew at each showing: the user may have gone Back and chosen again.
    m_strTargetPath = g_strTargetDir;
    UpdateData(FALSE);
}

int CSummaryPage::OnWizardNext() {
    // Told before anything is written: a card found full half-way would end
    // the installation with part of the game on it.
    CPayloadArchive archive;
    SDiskSpace space;
    if (archive.Open(ARCHIV_RESOURCE_ID)) {
        archive.SetTargetDir(g_strTargetDir);
        if (!archive.CheckFreeSpace(space)) {
            CString strText;
            strText.Format(kNoRoom, space.FreeMB(), space.NeededMB());
            ShowPageError(m_pFrame->GetSafeHwnd(), strText);
            return -1;
        }
    }
    return CWizardPage::OnWizardNext();
}
