// app/AboutDlg.h
#pragma once

#include "framework/Dialog.h"

// The About box ("Info..."): everything it shows is in its template.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
