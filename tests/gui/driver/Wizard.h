// tests/gui/driver/Wizard.h
#pragma once

#include "MessageDialog.h"
#include "Process.h"
#include "Wait.h"
#include "Window.h"
#include "res/resource.h"

#include <string>

namespace gui {

enum class Page { None, Welcome, License, Target, Summary, Progress, Finish };

const char* PageName(Page page);

// The installer under test, seen from outside: its wizard window, the page on
// show, its buttons and the boxes it opens. Controls go by the names of
// res/resource.h.
class Wizard {
public:
    static constexpr const char* kCaption = "Korvanu 1.1-Installation";

    // Starts the installer (TMP pointed at `tempFolder` when given) and waits
    // for its wizard window.
    bool Start(const std::string& exe, const std::string& tempFolder = "");
    const Process& Program() const { return m_process; }
    Window Frame() const { return m_frame; }
    Window Back() const { return m_frame.Item(ID_WIZBACK); }
    Window Next() const { return m_frame.Item(ID_WIZNEXT); }
    Window Cancel() const { return m_frame.Item(IDCANCEL); }

    Page CurrentPage() const;
    bool WaitForPage(Page page, Millis timeout = Millis(10000)) const;
    Window Control(int id) const;

    bool PressNext(Page expected) const;
    bool PressBack(Page expected) const;
    bool ChooseFolder(const std::string& path) const;
    MessageDialog WaitForMessageBox(Millis timeout = Millis(10000)) const;
    int CountMessageBoxes() const;
    Window WaitForTopWindow(const std::string& caption, Millis timeout = Millis(10000)) const;
    bool SaveScreenshot(const std::string& path) const { return SaveScreenshot(m_frame, path); }
    static bool SaveScreenshot(const Window& window, const std::string& path);
    bool WaitForEnd(Millis timeout) const;

private:
    Window CurrentPageWindow() const;

    Process m_process;
    Window m_frame;
};

} // namespace gui
