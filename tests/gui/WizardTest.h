// tests/gui/WizardTest.h
#pragma once

#include "MessageDialog.h"
#include "Wizard.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace gui {

// One installer started fresh for each test, with TMP pointed at an empty
// scratch folder, and the steps a user takes through its pages.
class WizardTest : public ::testing::Test {
protected:
    // The installer that the environment variable names (SETUP_SMALL_EXE, ...).
    ::testing::AssertionResult StartInstaller(const char* variable = "SETUP_SMALL_EXE");

    ::testing::AssertionResult GoToLicense();
    ::testing::AssertionResult GoToTarget();
    ::testing::AssertionResult GoToSummary(const std::string& folder);
    ::testing::AssertionResult InstallFromSummary();
    ::testing::AssertionResult FinishAndEnd();

    // Opens the cancel confirmation from the current page by `press` (button,
    // key or close box) and checks its text, caption, buttons and icon.
    ::testing::AssertionResult ConfirmationAppears(const std::function<bool()>& press);
    // Answers the confirmation with Yes: no second box, the process ends with 0.
    ::testing::AssertionResult YesEndsTheProgram();

    std::string Shot(const std::string& name) const;

    Wizard m_wizard;
    std::string m_temp;
    MessageDialog m_box{Window()};
};

} // namespace gui
