// pages/LicensePage.h
#pragma once

#include "framework/Button.h"
#include "framework/Edit.h"
#include "wizard/TextLabel.h"
#include "wizard/WizardPage.h"

// Second page: the licence agreement; Next only while the acceptance box is ticked.
class CLicensePage : public CWizardPage {
public:
    explicit CLicensePage(CWnd* pParent = nullptr);
    ~CLicensePage() override;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnAcceptClicked();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCommand(UINT nID, UINT nCode) override;

private:
    CTextLabel m_lblTopic;
    CTextLabel m_lblSubtopic;
    CButton m_chkAccept;
    BOOL m_bAccepted = FALSE;
    CString m_strLicenseText;
    CEdit m_edtLicense;
};
