// pages/FinishPage.h
#pragma once

#include "framework/Static.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

// Last page, reached by itself after the installation: "Fertig" ends the wizard.
class CFinishPage : public CWizardPage {
public:
    explicit CFinishPage(CWnd* pParent = nullptr);
    ~CFinishPage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CTextLabel m_lblTopic;
    CStatic m_stcPreface;
    CStatic m_stcHint;
};
