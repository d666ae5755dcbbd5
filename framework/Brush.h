// framework/Brush.h
#pragma once

#include "framework/GdiObject.h"

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
