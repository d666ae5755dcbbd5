// tests/gui/driver/Wizard.cpp
#include "Wizard.h"

#include "FolderBrowser.h"
#include "Image.h"

#include <thread>

namespace gui {

namespace {

// Each page is recognised by a control that only it has, tried in this order
// (the License page's text box has the id of the Welcome page's hint).
constexpr struct {
    int id;
    Page page;
} kPageMarks[] = {{IDC_PROGRESS_BAR, Page::Progress}, {IDC_FINISH_TOPIC, Page::Finish},
                  {IDC_SUMMARY_TOPIC, Page::Summary}, {IDC_TARGET_BROWSE, Page::Target},
                  {IDC_LICENSE_CHECK, Page::License}, {IDC_WELCOME_HINT, Page::Welcome}};

} // namespace

const char* PageName(Page page) {
    switch (page) {
    case Page::Welcome:
        return "Welcome";
    case Page::License:
        return "License";
    case Page::Target:
        return "Target";
    case Page::Summary:
        return "Summary";
    case Page::Progress:
        return "Progress";
    case Page::Finish:
        return "Finish";
    case Page::None:
        break;
    }
    return "none";
}

bool Wizard::Start(const std::string& exe, const std::string& tempFolder) {
    Process::Environment environment;
    if (!tempFolder.empty())
        environment = {{"TMP", tempFolder}, {"TEMP", tempFolder}};
    if (!m_process.Start(exe, environment))
        return false;
    m_frame = m_process.WaitForTopWindow(
        [](const Window& window) { return window.Text() == kCaption; }, Millis(30000));
    return static_cast<bool>(m_frame);
}

Window Wizard::CurrentPageWindow() const {
    for (const Window& child : m_frame.Children()) {
        if (child.IsVisible() && !child.Descendants().empty())
            return child;
    }
    return Window();
}

Page Wizard::CurrentPage() const {
    const Window page = CurrentPageWindow();
    for (const auto& mark : kPageMarks) {
        if (page.Item(mark.id).Exists())
            return mark.page;
    }
    return Page::None;
}

// A page shows before the frame has finished switching to it (the page sets
// its buttons after it is shown), so the frame's thread is let finish first.
bool Wizard::WaitForPage(Page page, Millis timeout) const {
    return WaitUntil([&] { return CurrentPage() == page; }, timeout) && m_frame.Sync() &&
           CurrentPage() == page;
}

Window Wizard::Control(int id) const {
    return CurrentPageWindow().Item(id);
}

bool Wizard::PressNext(Page expected) const {
    return Next().Click() && WaitForPage(expected);
}

bool Wizard::PressBack(Page expected) const {
    return Back().Click() && WaitForPage(expected);
}

// "Durchsuchen", then the folder in the shell's browser.
bool Wizard::ChooseFolder(const std::string& path) const {
    if (!Control(IDC_TARGET_BROWSE).Click())
        return false;
    const Window browser =
        m_process.WaitForTopWindow(FolderBrowser::IsFolderBrowser, Millis(15000));
    return browser && FolderBrowser(browser).ChooseWithMouse(path) &&
           WaitUntil([&] { return Control(IDC_TARGET_PATH).Text() == path; }, Millis(5000));
}

MessageDialog Wizard::WaitForMessageBox(Millis timeout) const {
    return MessageDialog(m_process.WaitForTopWindow(MessageDialog::IsMessageBox, timeout));
}

int Wizard::CountMessageBoxes() const {
    int count = 0;
    for (const Window& window : m_process.TopWindows())
        count += MessageDialog::IsMessageBox(window) ? 1 : 0;
    return count;
}

Window Wizard::WaitForTopWindow(const std::string& caption, Millis timeout) const {
    return m_process.WaitForTopWindow(
        [&](const Window& window) { return window.Text() == caption; }, timeout);
}

// The window is captured from the screen once it has handled its queue and
// had a moment to paint.
bool Wizard::SaveScreenshot(const Window& window, const std::string& path) {
    if (!window.Sync())
        return false;
    std::this_thread::sleep_for(Millis(300));
    window.Sync();
    return Image::CaptureScreen(window.ScreenRect()).SavePng(path);
}

bool Wizard::WaitForEnd(Millis timeout) const {
    return m_process.WaitForExit(timeout);
}

} // namespace gui
