// app/SetupDialog.h
#pragma once

#include "wizard/WizardFrame.h"

// The installer's main window: the wizard frame with the application icon,
// the caption and the About entry of the system menu.
class CSetupDialog : public CWizardFrame {
public:
    explicit CSetupDialog(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;

private:
    HICON m_hIcon;
};
