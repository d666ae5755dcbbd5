// tests/gui/WizardTest.cpp
#include "WizardTest.h"

#include "TestPaths.h"

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace gui {

namespace {

const char kConfirmation[] = "Wollen Sie wirklich die die Installation von Korvanu 1.1 abbrechen?";

AssertionResult OnPage(const Wizard& wizard, Page page) {
    if (wizard.WaitForPage(page))
        return AssertionSuccess();
    return AssertionFailure() << "expected the " << PageName(page) << " page, the wizard shows "
                              << PageName(wizard.CurrentPage());
}

} // namespace

AssertionResult WizardTest::StartInstaller(const char* variable) {
    const std::string exe = TestPaths::FromEnvironment(variable);
    if (exe.empty())
        return AssertionFailure() << variable << " is not set";
    m_temp = TestPaths::FreshScratch("tmp");
    if (!m_wizard.Start(exe, m_temp))
        return AssertionFailure() << "no window \"" << Wizard::kCaption << "\" from " << exe;
    return OnPage(m_wizard, Page::Welcome);
}

AssertionResult WizardTest::GoToLicense() {
    if (!m_wizard.Next().Click())
        return AssertionFailure() << "Next cannot be pressed on the Welcome page";
    return OnPage(m_wizard, Page::License);
}

AssertionResult WizardTest::GoToTarget() {
    if (AssertionResult onLicense = GoToLicense(); !onLicense)
        return onLicense;
    if (!m_wizard.Control(IDC_LICENSE_CHECK).Click())
        return AssertionFailure() << "the acceptance box cannot be ticked";
    if (!WaitUntil([&] { return m_wizard.Next().IsEnabled(); }, Millis(5000)))
        return AssertionFailure() << "Next stays disabled after the box was ticked";
    m_wizard.Next().Click();
    return OnPage(m_wizard, Page::Target);
}

AssertionResult WizardTest::GoToSummary(const std::string& folder) {
    if (AssertionResult onTarget = GoToTarget(); !onTarget)
        return onTarget;
    if (!m_wizard.ChooseFolder(folder))
        return AssertionFailure() << "could not choose " << folder << " in the folder browser";
    if (!m_wizard.Next().Click())
        return AssertionFailure() << "Next cannot be pressed after choosing " << folder;
    return OnPage(m_wizard, Page::Summary);
}

AssertionResult WizardTest::InstallFromSummary() {
    if (m_wizard.Next().Text() != "Installieren")
        return AssertionFailure() << "Next reads \"" << m_wizard.Next().Text() << "\"";
    if (!m_wizard.Next().Click())
        return AssertionFailure() << "\"Installieren\" cannot be pressed";
    if (!m_wizard.WaitForPage(Page::Finish, Millis(120000)))
        return AssertionFailure() << "no Finish page; the wizard shows "
                                  << PageName(m_wizard.CurrentPage());
    return AssertionSuccess();
}

AssertionResult WizardTest::FinishAndEnd() {
    if (m_wizard.Next().Text() != "Fertig" || !m_wizard.Next().Click())
        return AssertionFailure() << "\"Fertig\" cannot be pressed";
    if (!m_wizard.WaitForEnd(Millis(15000)))
        return AssertionFailure() << "the installer still runs after \"Fertig\"";
    if (m_wizard.Program().ExitCode() != 0)
        return AssertionFailure() << "exit code " << m_wizard.Program().ExitCode();
    return AssertionSuccess();
}

AssertionResult WizardTest::ConfirmationAppears(const std::function<bool()>& press) {
    if (m_wizard.CountMessageBoxes() != 0)
        return AssertionFailure() << "a message box is already open";
    if (!press())
        return AssertionFailure() << "could not press";
    m_box = m_wizard.WaitForMessageBox();
    if (!m_box.Handle())
        return AssertionFailure() << "no confirmation box";
    // A second box would come at once; give it a moment to show.
    Sleep(300);
    if (m_wizard.CountMessageBoxes() != 1)
        return AssertionFailure() << m_wizard.CountMessageBoxes() << " boxes at once";
    if (m_box.Text() != kConfirmation)
        return AssertionFailure() << "text \"" << m_box.Text() << "\"";
    if (m_box.Caption() != Wizard::kCaption)
        return AssertionFailure() << "caption \"" << m_box.Caption() << "\"";
    if (m_box.Buttons() != std::vector<int>{IDYES, IDNO})
        return AssertionFailure() << "buttons other than Yes and No";
    if (m_box.ShownIcon() != MessageDialog::Icon::Question)
        return AssertionFailure() << "not the question icon";
    return AssertionSuccess();
}

AssertionResult WizardTest::YesEndsTheProgram() {
    if (!m_box.Press(IDYES))
        return AssertionFailure() << "Yes cannot be pressed";
    bool secondBox = false;
    const bool ended = WaitUntil(
        [&] {
            return (secondBox = m_wizard.CountMessageBoxes() > 0) ||
                   !m_wizard.Program().IsRunning();
        },
        Millis(15000));
    if (secondBox)
        return AssertionFailure() << "a second box \"" << m_wizard.WaitForMessageBox().Text()
                                  << "\"";
    if (!ended)
        return AssertionFailure() << "the installer still runs after Yes";
    if (m_wizard.Program().ExitCode() != 0)
        return AssertionFailure() << "exit code " << m_wizard.Program().ExitCode();
    return AssertionSuccess();
}

std::string WizardTest::Shot(const std::string& name) const {
    return TestPaths::Screen(name);
}

} // namespace gui
