// tests/gui/driver/GuiObjects.h
#pragma once

#include "Process.h"

#include <windows.h>

namespace gui {

// How many GDI and USER objects a program holds, counted from outside as
// GetGuiResources does. Wine does not implement GetGuiResources
// (ERROR_CALL_NOT_IMPLEMENTED); there the GDI objects are counted in the
// program's GDI handle table and the USER objects are its windows, hidden
// ones included: menus, icons and cursors cannot be seen from outside there.
struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;

    static GuiObjects Of(const Process& process);
};

} // namespace gui
