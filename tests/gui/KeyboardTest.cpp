// tests/gui/KeyboardTest.cpp: the wizard worked with real keystrokes, one row of
// the keyboard's behaviour per test: Escape, Enter, Tab and Space on the page's
// controls and on the frame's buttons, and Alt+F4.
#include "Keyboard.h"
#include "FileTree.h"
#include "FolderBrowser.h"
#include "Mouse.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <algorithm>
#include <thread>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace gui {

namespace {

class KeyboardTest : public WizardTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartInstaller()); }

    Window Focused() const { return Window(Keyboard::FocusOf(m_wizard.Frame().Handle())); }

    // One keystroke, and the wizard's thread has handled what followed from it.
    bool Press(UINT vk, const std::vector<UINT>& modifiers = {}) const {
        return Keyboard::PressFor(m_wizard.Frame(), vk, modifiers);
    }

    // A click on the page's edit, so that the focus is inside the page.
    AssertionResult FocusTargetPath() const {
        const Window edit = m_wizard.Control(IDC_TARGET_PATH);
        if (!Mouse::Click({edit}) ||
            !WaitUntil([&] { return Focused().Handle() == edit.Handle(); }, Millis(5000)))
            return AssertionFailure() << "the path box cannot be focused";
        return AssertionSuccess();
    }

    AssertionResult TabTo(const Window& target) const {
        if (Keyboard::TabTo(target))
            return AssertionSuccess();
        return AssertionFailure() << "Tab does not reach control " << target.Id();
    }

    // The licence box clicked once or twice, so that it has the focus.
    AssertionResult FocusAcceptBox(bool ticked) const {
        const Window box = m_wizard.Control(IDC_LICENSE_CHECK);
        if (!Mouse::Click(ticked ? std::vector<Window>{box} : std::vector<Window>{box, box}) ||
            !WaitUntil([&] { return Focused().Handle() == box.Handle() && IsTicked() == ticked; },
                       Millis(5000)))
            return AssertionFailure() << "the licence box cannot be focused";
        return AssertionSuccess();
    }

    FolderBrowser Browser() const {
        return FolderBrowser(
            m_wizard.Program().WaitForTopWindow(FolderBrowser::IsFolderBrowser, Millis(15000)));
    }

    bool IsTicked() const {
        return m_wizard.Control(IDC_LICENSE_CHECK).Send(BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // Nothing came of the last key: no box, and the same page after a moment.
    AssertionResult NothingHappened(Page page) const {
        std::this_thread::sleep_for(Millis(300));
        if (m_wizard.CountMessageBoxes() != 0)
            return AssertionFailure() << "a box \"" << m_wizard.WaitForMessageBox().Text() << "\"";
        if (m_wizard.CurrentPage() != page)
            return AssertionFailure() << "the wizard shows " << PageName(m_wizard.CurrentPage());
        return AssertionSuccess();
    }
};

// Tab, Space, Enter and the arrows in the folder browser alone, each Enter
// twice in a row: the second one lands right after the page change, on Next
// disabled (licence unticked, no folder yet), in the licence text box after
// Back, and during the installation.
// Next is the default button wherever it can be pressed.
TEST_F(KeyboardTest, EnterTwiceOnEveryPageInstallsTheGame) {
    ASSERT_TRUE(FileTree::MakeFresh(TestPaths::Drive()));
    const auto enterTwice = [&](Page page) {
        return Press(VK_RETURN) && Press(VK_RETURN) && NothingHappened(page);
    };
    const auto nextIsDefault = [&] {
        return (GetWindowLongA(m_wizard.Next().Handle(), GWL_STYLE) & BS_TYPEMASK) ==
               BS_DEFPUSHBUTTON;
    };
    EXPECT_TRUE(nextIsDefault());
    ASSERT_TRUE(enterTwice(Page::License));
    EXPECT_FALSE(nextIsDefault());
    ASSERT_TRUE(TabTo(m_wizard.Control(IDC_LICENSE_CHECK)));
    ASSERT_TRUE(Press(VK_SPACE));
    ASSERT_TRUE(enterTwice(Page::Target));
    ASSERT_TRUE(TabTo(m_wizard.Back()));
    ASSERT_TRUE(enterTwice(Page::Target));
    ASSERT_TRUE(TabTo(m_wizard.Control(IDC_TARGET_BROWSE)));
    ASSERT_TRUE(Press(VK_RETURN));
    ASSERT_TRUE(Browser().ChooseWithKeys("E:\\"));
    ASSERT_TRUE(TabTo(m_wizard.Control(IDC_TARGET_PATH)));
    ASSERT_TRUE(Press(VK_RETURN) && m_wizard.WaitForPage(Page::Summary) && nextIsDefault());
    ASSERT_TRUE(Press(VK_RETURN) && Press(VK_RETURN));
    ASSERT_TRUE(m_wizard.WaitForPage(Page::Finish, Millis(120000)));
    EXPECT_TRUE(nextIsDefault());
    ASSERT_TRUE(Keyboard::Press(VK_RETURN) && Keyboard::Press(VK_RETURN));
    ASSERT_TRUE(m_wizard.WaitForEnd(Millis(15000)));
    EXPECT_EQ(m_wizard.Program().ExitCode(), 0u);
    EXPECT_EQ(
        FileTree::Compare(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL"), TestPaths::Drive()),
        std::vector<std::string>());
}

TEST_F(KeyboardTest, EscapeOnThePagesControlsDoesNothing) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(true));
    ASSERT_TRUE(Press(VK_ESCAPE));
    EXPECT_TRUE(NothingHappened(Page::License));
    EXPECT_TRUE(IsTicked());
    EXPECT_TRUE(m_wizard.Next().IsEnabled());

    ASSERT_TRUE(m_wizard.PressNext(Page::Target));
    ASSERT_TRUE(FocusTargetPath());
    for (int id : {IDC_TARGET_PATH, IDC_TARGET_BROWSE}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(TabTo(m_wizard.Control(id)));
        ASSERT_TRUE(Press(VK_ESCAPE));
        EXPECT_TRUE(NothingHappened(Page::Target));
    }
}

TEST_F(KeyboardTest, EscapeOnAFrameButtonAsksToCancel) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(true));
    ASSERT_TRUE(TabTo(m_wizard.Back()));
    ASSERT_TRUE(ConfirmationAppears([&] { return Press(VK_ESCAPE); }));
    ASSERT_TRUE(m_box.Press(IDNO));
    EXPECT_TRUE(NothingHappened(Page::License));
}

TEST_F(KeyboardTest, EnterOnTheLicenceBoxGoesNextOnlyWhenTicked) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(false));
    ASSERT_TRUE(Press(VK_RETURN));
    EXPECT_TRUE(NothingHappened(Page::License));
    EXPECT_TRUE(m_wizard.Program().IsRunning());

    ASSERT_TRUE(FocusAcceptBox(true));
    ASSERT_TRUE(Press(VK_RETURN));
    EXPECT_TRUE(m_wizard.WaitForPage(Page::Target));
}

TEST_F(KeyboardTest, EnterOnAPushButtonOfThePagePressesIt) {
    ASSERT_TRUE(GoToTarget());
    ASSERT_TRUE(FocusTargetPath());
    ASSERT_TRUE(TabTo(m_wizard.Control(IDC_TARGET_BROWSE)));
    ASSERT_TRUE(Press(VK_RETURN));
    ASSERT_TRUE(Browser().Cancel());
    EXPECT_TRUE(NothingHappened(Page::Target));
    EXPECT_FALSE(m_wizard.Next().IsEnabled());
}

// "Abbrechen" focused by a click is not the default button; Enter presses it.
TEST_F(KeyboardTest, EnterOnAFrameButtonPressesIt) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(ConfirmationAppears([&] { return Mouse::Click({m_wizard.Cancel()}); }));
    ASSERT_TRUE(m_box.Press(IDNO));
    ASSERT_TRUE(
        WaitUntil([&] { return Focused().Handle() == m_wizard.Cancel().Handle(); }, Millis(5000)));
    ASSERT_TRUE(ConfirmationAppears([&] { return Press(VK_RETURN); }));
    ASSERT_TRUE(m_box.Press(IDNO));
    EXPECT_TRUE(NothingHappened(Page::License));
}

// Tab visits every enabled, visible tab stop of the page and the frame once
// before it comes back; Shift+Tab visits them in the opposite order.
TEST_F(KeyboardTest, TabCyclesThroughThePageAndTheFrameButtons) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(false));
    const HWND start = Focused().Handle();
    std::vector<HWND> forward{start};
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(Press(VK_TAB));
        if (Focused().Handle() == start)
            break;
        forward.push_back(Focused().Handle());
    }
    ASSERT_EQ(Focused().Handle(), start) << "Tab does not come back";
    std::vector<HWND> backward{start};
    for (size_t i = 1; i < forward.size(); ++i) {
        ASSERT_TRUE(Press(VK_TAB, {VK_SHIFT}));
        backward.push_back(Focused().Handle());
    }
    EXPECT_EQ(std::vector<HWND>(forward.rbegin(), forward.rend() - 1),
              std::vector<HWND>(backward.begin() + 1, backward.end()));

    std::vector<HWND> expected{m_wizard.Back().Handle(), m_wizard.Cancel().Handle()};
    const Window page(GetAncestor(m_wizard.Control(IDC_LICENSE_CHECK).Handle(), GA_PARENT));
    for (const Window& control : page.Descendants()) {
        if (control.IsVisible() && control.IsEnabled() &&
            (GetWindowLongA(control.Handle(), GWL_STYLE) & WS_TABSTOP))
            expected.push_back(control.Handle());
    }
    std::sort(expected.begin(), expected.end());
    std::sort(forward.begin(), forward.end());
    EXPECT_EQ(forward, expected) << "Next is disabled and must be skipped";
}

TEST_F(KeyboardTest, SpaceTogglesTheLicenceBoxAndNextFollows) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(false));
    for (bool ticked : {true, false}) {
        ASSERT_TRUE(Press(VK_SPACE));
        EXPECT_EQ(IsTicked(), ticked);
        EXPECT_EQ(m_wizard.Next().IsEnabled(), ticked);
    }
}

TEST_F(KeyboardTest, AltF4AsksToCancel) {
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(FocusAcceptBox(true));
    ASSERT_TRUE(ConfirmationAppears([&] { return Press(VK_F4, {VK_MENU}); }));
    ASSERT_TRUE(YesEndsTheProgram());
}

} // namespace

} // namespace gui
