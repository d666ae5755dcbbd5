// wizard/WizardCaption.cpp
#include "wizard/WizardCaption.h"

#include "res/resource.h"

CString LoadWizardCaption() {
    CString strTitle, strInstallation;
    strTitle.LoadString(IDS_GAME_TITLE);
    strInstallation.LoadString(IDS_INSTALLATION);
    return strTitle + "-" + strInstallation.c_str();
}
