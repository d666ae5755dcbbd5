// pages/TargetPage.cpp
#include "pages/TargetPage.h"

#include "framework/DataExchange.h"
#include "pages/PageText.h"
#include "pages/TargetDir.h"
#include "res/resource.h"
#include "wizard/WizardFrame.h"

#include <objbase.h>

namespace {

// Only file-system folders, an edit field, the resizable new-style dialog and
// no button for making a folder.
constexpr UINT BROWSE_FLAGS =
    BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;

} // namespace

CTargetPage::CTargetPage(CWnd* pParent) : CWizardPage(IDD_TARGET, pParent) {}

CTargetPage::~CTargetPage() {
    // "Each successful call to CoInitializeEx ... must be balanced by a
    // corresponding call to CoUninitialize" on the same thread; the pages
    // live and die on the wizard's thread.
    if (m_bComInitialized)
        ::CoUninitialize();
}

void CTargetPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_TARGET_TOPIC, m_lblTopic);
    DDX_Control(pDX, IDC_TARGET_SUBTOPIC, m_lblSubtopic);
    DDX_Control(pDX, IDC_TARGET_PREFACE, m_stcPreface);
    DDX_Control(pDX, IDC_TARGET_GROUPBOX, m_stcGroup);
    DDX_Text(pDX, IDC_TARGET_PATH, m_strTargetPath);
    DDV_MaxChars(pDX, m_strTargetPath, MAX_PATH);
}

BOOL CTargetPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    SetTopicLabel(m_lblTopic, 12, LoadText(IDS_TARGET_TOPIC));
    SetSubtopicLabel(m_lblSubtopic, LoadTitledString(IDS_TARGET_SUBTOPIC));
    m_stcPreface.SetWindowText(LoadTitledString(IDS_TARGET_PREFACE));
    m_stcGroup.SetWindowText(LoadText(IDS_TARGET_GROUPBOX));
    return TRUE;
}

void CTargetPage::OnSetActive() {
    m_pFrame->EnableNextButton(m_bTargetChosen);
    // The Summary page renames Next; coming Back from there puts it back.
    m_pFrame->SetNextButtonText(IDS_NEXT);
}

void CTargetPage::OnBrowse() {
    if (!m_bComInitialized)
        m_bComInitialized =
            SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));

    CString strTitle = LoadText(IDS_TARGET_BROWSE_TITLE);
    char szPath[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.hwndOwner = m_pFrame->GetSafeHwnd();
    bi.pszDisplayName = szPath;
    bi.lpszTitle = strTitle;
    bi.ulFlags = BROWSE_FLAGS;
    LPITEMIDLIST pidl = BrowseForFolder(bi);
    if (!pidl)
        return;
    // A folder without a file-system path counts as no choice at all.
    if (!::SHGetPathFromIDListA(pidl, szPath))
        szPath[0] = '\0';
    ::CoTaskMemFree(pidl);

    m_strTargetPath = szPath;
    UpdateData(FALSE);
    m_bTargetChosen = !m_strTargetPath.IsEmpty();
    m_pFrame->EnableNextButton(m_bTargetChosen);
    g_strTargetDir = szPath;
}

LPITEMIDLIST CTargetPage::BrowseForFolder(BROWSEINFOA& bi) {
    return ::SHBrowseForFolderA(&bi);
}

void CTargetPage::OnCommand(UINT nID, UINT nCode) {
    if (nID == IDC_TARGET_BROWSE && nCode == BN_CLICKED)
        OnBrowse();
    else
        CWizardPage::OnCommand(nID, nCode);
}
