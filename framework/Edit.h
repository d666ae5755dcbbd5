// framework/Edit.h
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    void SetSel(int nStart, int nEnd) {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
    }
};
