// pages/TargetDir.h
#pragma once

#include "framework/AnsiString.h"

// The chosen target folder, in the form the shell returns it. Written by the
// Target page, read by the Summary page and once by the install worker. The
// start-up defines it, before the application object, so that it is
// constructed first and destroyed last.
extern CString g_strTargetDir;
