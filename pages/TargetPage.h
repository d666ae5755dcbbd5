// pages/TargetPage.h
#pragma once

#include "framework/Static.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

#include <shlobj.h>

// Third page: the user picks the target folder with the shell's folder dialog.
// The choice goes to g_strTargetDir; Next only once a folder was chosen.
class CTargetPage : public CWizardPage {
public:
    explicit CTargetPage(CWnd* pParent = nullptr);
    ~CTargetPage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnBrowse();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCommand(UINT nID, UINT nCode) override;
    // Runs the folder dialog: the chosen item list (the caller frees it with
    // CoTaskMemFree), or null when the user cancelled.
    virtual LPITEMIDLIST BrowseForFolder(BROWSEINFOA& bi);

private:
    CTextLabel m_lblTopic;
    CTextLabel m_lblSubtopic;
    CStatic m_stcPreface;
    CStatic m_stcGroup;
    CString m_strTargetPath;
    BOOL m_bTargetChosen = FALSE;
    // COM is ours to release: the new-style folder dialog needs a
    // single-threaded apartment on this thread.
    BOOL m_bComInitialized = FALSE;
};
