// pages/SummaryPage.h
#pragma once

#include "framework/Static.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

// Fourth page: shows the chosen folder and turns Next into "Installieren".
class CSummaryPage : public CWizardPage {
public:
    explicit CSummaryPage(CWnd* pParent = nullptr);
    ~CSummaryPage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    // "Installieren": stays when the target's drive has too little room.
    int OnWizardNext() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CTextLabel m_lblTopic;
    CTextLabel m_lblSubtopic;
    CStatic m_stcPreface;
    CString m_strTargetPath;
};
