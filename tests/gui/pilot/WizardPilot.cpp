// tests/gui/pilot/WizardPilot.cpp
//
// wizard_pilot [--mouse|--keys] <setup.exe> <target folder> <screens folder>
//
// Runs the installer on a display nobody looks at, as a user would: ticks the
// licence, chooses the target folder in the shell's folder browser, installs,
// waits for the Finish page and presses "Fertig", saving a picture of every
// page on the way, and prints how long the install took from "Installieren" to
// the Finish page. The hand is the mouse (the default), or with --keys the
// keyboard alone (Tab, Space, Enter, and the arrows in the folder browser). Exits with 0 when
// the installer ended normally, else with 1 and a message.

#include "FileTree.h"
#include "FolderBrowser.h"
#include "Image.h"
#include "Keyboard.h"
#include "Mouse.h"
#include "Wizard.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using gui::Millis;
using gui::Page;
using gui::Window;
using gui::Wizard;

// Installing the full payload under Wine takes minutes, not hours; a page
// change takes seconds under emulation.
constexpr Millis kInstallTimeout(1800000);
constexpr Millis kPageTimeout(30000);

class Pilot {
public:
    Pilot(bool keys, std::string target, std::string screens)
        : m_keys(keys), m_target(std::move(target)), m_screens(std::move(screens)) {}

    const char* Run(const std::string& exe) {
        if (!m_wizard.Start(exe))
            return "the installer did not show its wizard window";
        if (!Reached(Page::Welcome, "01-welcome.png"))
            return "no Welcome page";
        if (!Next(Page::License))
            return "Next on the Welcome page did not lead to the License page";
        if (!Use(m_wizard.Control(IDC_LICENSE_CHECK)) ||
            !gui::WaitUntil([&] { return m_wizard.Next().IsEnabled(); }, Millis(5000)))
            return "the licence could not be accepted";
        if (!Reached(Page::License, "02-license.png") || !Next(Page::Target))
            return "Next on the License page did not lead to the Target page";
        if (!ChooseFolder())
            return "the target folder could not be chosen in the folder browser";
        // Enter on the browse button would open the browser again.
        if (m_keys && !gui::Keyboard::TabTo(m_wizard.Control(IDC_TARGET_PATH)))
            return "Tab does not reach the path box";
        if (!Reached(Page::Target, "03-target.png") || !Next(Page::Summary))
            return "Next on the Target page did not lead to the Summary page";
        if (!Reached(Page::Summary, "04-summary.png") || !PressNext())
            return "\"Installieren\" could not be pressed";
        const auto installStart = std::chrono::steady_clock::now();
        if (!Reached(Page::Progress, "05-progress.png"))
            return "no Progress page";
        // Looking for the Finish page walks every window of the wizard, and under
        // Wine each look is a round trip to the server that the installing
        // worker needs for its files: only the caption of Next is read until
        // it says "Fertig", and that seldom; every two seconds a message box
        // (an error that stops the install) ends the wait too.
        int looks = 0;
        gui::WaitUntil(
            [&] {
                return m_wizard.Next().Text() == "Fertig" ||
                       (++looks % 20 == 0 && m_wizard.CountMessageBoxes() > 0);
            },
            kInstallTimeout, Millis(100));
        if (m_wizard.CountMessageBoxes() > 0) {
            std::fprintf(stderr, "wizard_pilot: the message box says: %s\n",
                         m_wizard.WaitForMessageBox().Text().c_str());
            return "the installation stopped at a message box";
        }
        if (!m_wizard.WaitForPage(Page::Finish, Millis(30000)))
            return "the installation did not finish";
        m_installSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - installStart).count();
        if (!Reached(Page::Finish, "06-finish.png") || !PressNext())
            return "\"Fertig\" could not be pressed";
        if (!m_wizard.WaitForEnd(Millis(30000)))
            return "the installer did not end after \"Fertig\"";
        if (m_wizard.Program().ExitCode() != 0)
            return "the installer ended with an exit code other than 0";
        return nullptr;
    }

    // From pressing "Installieren" to the Finish page.
    double InstallSeconds() const { return m_installSeconds; }

private:
    // A click, or Tab to the control and Space.
    bool Use(const Window& control) const {
        return m_keys ? gui::Keyboard::TabTo(control) &&
                            gui::Keyboard::PressFor(m_wizard.Frame(), VK_SPACE)
                      : gui::Mouse::Click({control});
    }

    // A click on Next, or Enter, which presses Next as the default button.
    bool PressNext() const {
        return m_keys ? gui::Keyboard::Press(VK_RETURN) : gui::Mouse::Click({m_wizard.Next()});
    }

    bool Next(Page expected) const {
        return PressNext() && m_wizard.WaitForPage(expected, kPageTimeout);
    }

    bool ChooseFolder() const {
        if (!Use(m_wizard.Control(IDC_TARGET_BROWSE)))
            return false;
        const gui::FolderBrowser browser(m_wizard.Program().WaitForTopWindow(
            gui::FolderBrowser::IsFolderBrowser, Millis(15000)));
        return (m_keys ? browser.ChooseWithKeys(m_target) : browser.ChooseWithMouse(m_target)) &&
               gui::WaitUntil([&] { return m_wizard.Control(IDC_TARGET_PATH).Text() == m_target; },
                              Millis(5000));
    }

    bool Reached(Page page, const char* picture) {
        if (!m_wizard.WaitForPage(page, kPageTimeout))
            return false;
        if (!Wizard::SaveScreenshot(m_wizard.Frame(), m_screens + "\\" + picture))
            std::fprintf(stderr, "wizard_pilot: could not save %s\n", picture);
        return true;
    }

    bool m_keys;
    Wizard m_wizard;
    std::string m_target;
    std::string m_screens;
    double m_installSeconds = 0;
};

} // namespace

int main(int argc, char** argv) {
    const bool keys = argc > 1 && std::strcmp(argv[1], "--keys") == 0;
    const int hand = keys || (argc > 1 && std::strcmp(argv[1], "--mouse") == 0);
    if (argc != 4 + hand) {
        std::fprintf(
            stderr,
            "usage: wizard_pilot [--mouse|--keys] <setup.exe> <target folder> <screens folder>\n");
        return 2;
    }
    const std::string screens = gui::FileTree::WindowsPath(argv[3 + hand]);
    CreateDirectoryA(screens.c_str(), nullptr);
    Pilot pilot(keys, argv[2 + hand], screens);
    if (const char* failure = pilot.Run(gui::FileTree::WindowsPath(argv[1 + hand]))) {
        // What the screen showed when the pilot gave up.
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        gui::Image::CaptureScreen(screen).SavePng(screens + "\\failure.png");
        std::fprintf(stderr, "wizard_pilot: %s (the screen: failure.png)\n", failure);
        return 1;
    }
    std::printf("wizard_pilot: installed into %s in %.3f s\n", argv[2 + hand],
                pilot.InstallSeconds());
    return 0;
}
