// app/SetupApp.h
#pragma once

#include "framework/WinApp.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    // Runs the whole wizard modally; FALSE, as no message loop follows.
    BOOL InitInstance() override;
};
