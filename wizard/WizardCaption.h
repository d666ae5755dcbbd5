// wizard/WizardCaption.h
#pragma once

#include "framework/AnsiString.h"

// The wizard's caption: the game's title, "-" and "Installation", without
// blanks ("Korvanu 1.1-Installation"). A string that cannot be loaded leaves
// its part empty; the hyphen is always there. The main window's title and the
// caption of the cancel confirmation.
CString LoadWizardCaption();
