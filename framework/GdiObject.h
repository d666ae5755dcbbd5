// framework/GdiObject.h
#pragma once

#include <windows.h>

// Owns one GDI object and deletes it with the wrapper. Select it into a DC
// only through CSelectGuard, so it is never deleted while still selected.
class CGdiObject {
public:
    CGdiObject() = default;
    ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};
