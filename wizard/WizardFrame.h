// wizard/WizardFrame.h
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

#include <vector>

class CWizardPage;

// A modal wizard dialog showing one page at a time inside a placeholder area
// of its template, driving Back, Next, finish and Cancel through the pages.
class CWizardFrame : public CDialog {
public:
    CWizardFrame(UINT nIDTemplate, CWnd* pParent);
    ~CWizardFrame() override;

    // Set-up, before DoModal (AddPage) and before OnInitDialog (SetPlaceholderID).
    void AddPage(CWizardPage* pPage, UINT nIDTemplate);
    void SetPlaceholderID(UINT nID);

    // Operations for the pages.
    void EnableBackButton(BOOL bEnable);
    void EnableNextButton(BOOL bEnable);
    void EnableCancelButton(BOOL bEnable);
    void ShowBackButton(BOOL bShow);
    void ShowNextButton(BOOL bShow);
    void SetNextButtonText(UINT nIDString);
    void ActivateNextPage();

    // While busy, nothing ends the wizard: IDOK, IDCANCEL, WM_CLOSE and SC_CLOSE
    // are ignored (a page's worker still uses the page).
    void SetBusy(BOOL bBusy);
    BOOL IsBusy() const;

    BOOL OnInitDialog() override;
    // Enter on a frame button runs that button's command, also where the
    // button got the focus by a click and so is not the default one.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL ActivatePage(CWizardPage* pPage);
    BOOL DeactivateCurrentPage();
    CWizardPage* FindPage(UINT nIDTemplate) const;

    void OnBack();
    void OnNext();
    void OnFinish();
    // IDOK (Enter where no button is the default one) acts as Next while Next
    // can be pressed, else does nothing; it never ends the wizard.
    void OnOK() override;
    void OnCancel() override;
    void OnDestroy() override;

    void OnCommand(UINT nID, UINT nCode) override;
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    void OnClose() override;

private:
    CWizardPage* GetCurrentPage() const;
    CWizardPage* GetNeighbour(CWizardPage* pPage, int nStep) const;
    void ShowButton(UINT nID, BOOL bShow);
    void EnableButton(UINT nID, BOOL bEnable);
    BOOL IsNextPressable() const;
    void UpdateDefaultButton();
    void FocusPage(CWizardPage* pPage);

    std::vector<CWizardPage*> m_pages;
    UINT m_nPlaceholderID = 0;
    BOOL m_bLastPage = FALSE;
    BOOL m_bBusy = FALSE;
};
