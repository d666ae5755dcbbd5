// tests/gui/pilot/WizardPilot.cpp
//
// wizard_pilot <setup.exe> <target folder> <screens folder>
//
// Runs the installer on a display nobody looks at, as a user would: ticks the
// licence, chooses the target folder, installs, waits for the Finish page and
// presses "Fertig", saving a picture of every page on the way, and prints how
// long the install took from "Installieren" to the Finish page. Exits with 0
// when the installer ended normally, else with 1 and a message.

#include "FileTree.h"
#include "Wizard.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using gui::Millis;
using gui::Page;
using gui::Wizard;

// Installing the full payload under Wine takes minutes, not hours.
constexpr Millis kInstallTimeout(1800000);

class Pilot {
public:
    Pilot(std::string target, std::string screens)
        : m_target(std::move(target)), m_screens(std::move(screens)) {}

    const char* Run(const std::string& exe) {
        if (!m_wizard.Start(exe))
            return "the installer did not show its wizard window";
        if (!Reached(Page::Welcome, "01-welcome.png"))
            return "no Welcome page";
        if (!m_wizard.PressNext(Page::License))
            return "Next on the Welcome page did not lead to the License page";
        if (!m_wizard.Control(IDC_LICENSE_CHECK).Click() ||
            !gui::WaitUntil([&] { return m_wizard.Next().IsEnabled(); }, Millis(5000)))
            return "the licence could not be accepted";
        if (!Reached(Page::License, "02-license.png") || !m_wizard.PressNext(Page::Target))
            return "Next on the License page did not lead to the Target page";
        if (!m_wizard.ChooseFolder(m_target))
            return "the target folder could not be chosen in the folder browser";
        if (!Reached(Page::Target, "03-target.png") || !m_wizard.PressNext(Page::Summary))
            return "Next on the Target page did not lead to the Summary page";
        if (!Reached(Page::Summary, "04-summary.png") || !m_wizard.Next().Click())
            return "\"Installieren\" could not be pressed";
        const auto installStart = std::chrono::steady_clock::now();
        if (!Reached(Page::Progress, "05-progress.png"))
            return "no Progress page";
        // Looking for the Finish page walks every window of the wizard, and under
        // Wine each look is a round trip to the server that the installing
        // worker needs for its files: only the caption of Next is read until
        // it says "Fertig", and that seldom.
        gui::WaitUntil([&] { return m_wizard.Next().Text() == "Fertig"; }, kInstallTimeout,
                       Millis(100));
        if (!m_wizard.WaitForPage(Page::Finish, Millis(30000)))
            return m_wizard.CountMessageBoxes() > 0 ? "the installation stopped at a message box"
                                                    : "the installation did not finish";
        m_installSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - installStart).count();
        if (!Reached(Page::Finish, "06-finish.png") || !m_wizard.Next().Click())
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
    bool Reached(Page page, const char* picture) {
        if (!m_wizard.WaitForPage(page, Millis(30000)))
            return false;
        if (!Wizard::SaveScreenshot(m_wizard.Frame(), m_screens + "\\" + picture))
            std::fprintf(stderr, "wizard_pilot: could not save %s\n", picture);
        return true;
    }

    Wizard m_wizard;
    std::string m_target;
    std::string m_screens;
    double m_installSeconds = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: wizard_pilot <setup.exe> <target folder> <screens folder>\n");
        return 2;
    }
    const std::string screens = gui::FileTree::WindowsPath(argv[3]);
    CreateDirectoryA(screens.c_str(), nullptr);
    Pilot pilot(argv[2], screens);
    if (const char* failure = pilot.Run(gui::FileTree::WindowsPath(argv[1]))) {
        std::fprintf(stderr, "wizard_pilot: %s\n", failure);
        return 1;
    }
    std::printf("wizard_pilot: installed into %s in %.3f s\n", argv[2], pilot.InstallSeconds());
    return 0;
}
