// pages/WelcomePage.h
#pragma once

#include "framework/Static.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

// First page: greets the user and names the one requirement, an SD card with
// 242 MB free.
class CWelcomePage : public CWizardPage {
public:
    explicit CWelcomePage(CWnd* pParent = nullptr);
    ~CWelcomePage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CTextLabel m_lblTopic;
    CStatic m_stcPreface;
    CStatic m_stcHint;
};
