// app/TargetDir.h
#pragma once

#include "framework/AnsiString.h"

// The chosen target folder, in the form the shell returns it. Written by the
// Target page, read by the Summary page and once by the install worker.
extern CString g_strTargetDir;
