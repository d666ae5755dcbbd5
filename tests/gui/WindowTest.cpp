// tests/gui/WindowTest.cpp
//
// The wizard window itself: caption, system menu, About box, moving between
// pages, and the cancel confirmation by every way a user can ask for it.

#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gui {
namespace {

constexpr const char* kAboutCaption = "Info...";

class WindowTest : public WizardTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartInstaller()); }

    // Pages created anew would leave their old controls behind, or new ones.
    int CountControls(int id) const {
        int count = 0;
        for (const Window& window : m_wizard.Frame().Descendants())
            count += window.Id() == id ? 1 : 0;
        return count;
    }

    Window SystemMenu() const {
        return m_wizard.Program().WaitForTopWindow(
            [](const Window& window) { return window.ClassName() == "#32768"; }, Millis(5000));
    }

    Window OpenSystemMenu() const {
        m_wizard.Frame().Post(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return SystemMenu();
    }

    // The About box must be modal over the wizard and leave it unchanged.
    void ExpectAboutOpensAndCloses(const std::function<bool(const Window&)>& close) {
        const Window about = m_wizard.WaitForTopWindow(kAboutCaption);
        ASSERT_TRUE(about);
        EXPECT_TRUE(
            WaitUntil([&] { return !IsWindowEnabled(m_wizard.Frame().Handle()); }, Millis(5000)));
        ASSERT_TRUE(close(about));
        EXPECT_TRUE(WaitUntil([&] { return !about.Exists(); }, Millis(5000)));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_wizard.Frame().Handle()) != 0; },
                              Millis(5000)));
        EXPECT_EQ(m_wizard.CurrentPage(), Page::Welcome);
        EXPECT_EQ(m_wizard.Frame().Text(), Wizard::kCaption);
        EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
        EXPECT_TRUE(m_wizard.Program().IsRunning());
    }
};

TEST_F(WindowTest, CaptionIsTheTitleAndInstallation) {
    EXPECT_EQ(m_wizard.Frame().Text(), "Korvanu 1.1-Installation");
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("window-welcome.png")));
}

TEST_F(WindowTest, SystemMenuEndsWithTheInfoEntry) {
    const Window menu = OpenSystemMenu();
    ASSERT_TRUE(menu);
    ASSERT_TRUE(m_wizard.Frame().PressKey(VK_END));
    ASSERT_TRUE(m_wizard.Frame().PressKey(VK_RETURN));
    ExpectAboutOpensAndCloses([](const Window& about) { return about.Item(IDOK).Click(); });
}

// Wine cannot read another process's menu, and its menu popups do not show in
// a capture of the screen; so the entry is found with the keyboard: End picks
// the last entry of the menu, and "I" is the underlined letter of "&Info...".
TEST_F(WindowTest, InfoEntryHasTheUnderlinedI) {
    ASSERT_TRUE(OpenSystemMenu());
    ASSERT_TRUE(m_wizard.Frame().PressKey('I'));
    ExpectAboutOpensAndCloses([](const Window& about) { return about.PressKey(VK_ESCAPE); });
}

// Only nID & 0xFFF0 is compared, so every id from 0x10 to 0x1F opens the box;
// it closes with OK, Escape and its close box alike.
TEST_F(WindowTest, AboutBoxOpensForEverySystemCommandOfItsGroup) {
    const std::function<bool(const Window&)> closers[] = {
        [](const Window& about) { return about.Item(IDOK).Click(); },
        [](const Window& about) { return about.PressKey(VK_ESCAPE); },
        [](const Window& about) { return about.SysCommand(SC_CLOSE); },
    };
    for (WPARAM id = 0x10; id <= 0x1F; ++id) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(m_wizard.Frame().SysCommand(id));
        ExpectAboutOpensAndCloses(closers[id % 3]);
    }
    ASSERT_TRUE(m_wizard.Frame().SysCommand(0x20));
    m_wizard.Frame().Sync();
    EXPECT_FALSE(m_wizard.WaitForTopWindow(kAboutCaption, Millis(500)));
}

TEST_F(WindowTest, AboutBoxShowsTheProductLines) {
    ASSERT_TRUE(m_wizard.Frame().SysCommand(0x10));
    const Window about = m_wizard.WaitForTopWindow(kAboutCaption);
    ASSERT_TRUE(about);
    std::vector<std::string> texts;
    for (const Window& child : about.Children())
        texts.push_back(child.Text());
    EXPECT_THAT(texts, ::testing::Contains("Installations-Assistent f\xFCr Orva Spiele\r\n\r\n"
                                           "Version 1.0\r\nSprache: Deutsch"));
    EXPECT_EQ(about.Item(IDOK).Text(), "OK");
    EXPECT_TRUE(Wizard::SaveScreenshot(about, Shot("about.png")));
    EXPECT_TRUE(about.Item(IDOK).Click());
}

// Back is hidden on the first page only; pages are created once and keep
// their state when the user moves back and forth; the caption never changes.
TEST_F(WindowTest, BackAndNextMoveThroughThePagesTheyKeep) {
    EXPECT_FALSE(m_wizard.Back().IsVisible());
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    EXPECT_EQ(m_wizard.Next().Text(), "Weiter >");
    EXPECT_TRUE(m_wizard.Cancel().IsEnabled());
    const HWND welcomeHint = m_wizard.Control(IDC_WELCOME_HINT).Handle();

    ASSERT_TRUE(GoToTarget());
    EXPECT_TRUE(m_wizard.Back().IsVisible());
    ASSERT_TRUE(m_wizard.ChooseFolder("E:\\"));
    ASSERT_TRUE(m_wizard.PressNext(Page::Summary));
    EXPECT_EQ(m_wizard.Frame().Text(), Wizard::kCaption);

    ASSERT_TRUE(m_wizard.PressBack(Page::Target));
    EXPECT_EQ(m_wizard.Control(IDC_TARGET_PATH).Text(), "E:\\");
    ASSERT_TRUE(m_wizard.PressBack(Page::License));
    EXPECT_EQ(m_wizard.Control(IDC_LICENSE_CHECK).Send(BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    ASSERT_TRUE(m_wizard.PressBack(Page::Welcome));
    EXPECT_EQ(m_wizard.Control(IDC_WELCOME_HINT).Handle(), welcomeHint);
    EXPECT_FALSE(m_wizard.Back().IsVisible());
    EXPECT_EQ(m_wizard.Next().Text(), "Weiter >");

    ASSERT_TRUE(m_wizard.PressNext(Page::License));
    EXPECT_EQ(m_wizard.Control(IDC_LICENSE_CHECK).Send(BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(m_wizard.PressNext(Page::Target));
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    EXPECT_EQ(m_wizard.Control(IDC_TARGET_PATH).Text(), "E:\\");
    EXPECT_EQ(m_wizard.Frame().Text(), Wizard::kCaption);
    for (int id : {IDC_LICENSE_CHECK, IDC_TARGET_BROWSE, IDC_SUMMARY_TOPIC})
        EXPECT_EQ(CountControls(id), 1) << "control " << id;
}

// The cancel button, Escape, the close box and Alt+F4 all ask once; No
// leaves the wizard as it was.
TEST_F(WindowTest, EveryWayToCancelAsksOnceAndNoKeepsTheWizard) {
    const Window frame = m_wizard.Frame();
    const std::pair<const char*, std::function<bool()>> presses[] = {
        {"button", [&] { return m_wizard.Cancel().Click(); }},
        {"Escape", [&] { return frame.PressKey(VK_ESCAPE); }},
        {"close box", [&] { return frame.SysCommand(SC_CLOSE); }},
        {"Alt+F4", [&] { return frame.PressAltF4(); }},
    };
    for (const auto& [name, press] : presses) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ConfirmationAppears(press));
        if (std::string(name) == "button") {
            EXPECT_TRUE(Wizard::SaveScreenshot(m_box.Handle(), Shot("cancel-confirmation.png")));
        }
        ASSERT_TRUE(m_box.Press(IDNO));
        m_wizard.Frame().Sync();
        EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
        EXPECT_EQ(m_wizard.CurrentPage(), Page::Welcome);
        EXPECT_TRUE(m_wizard.Next().IsEnabled());
        EXPECT_TRUE(m_wizard.Cancel().IsEnabled());
        EXPECT_FALSE(m_wizard.Back().IsVisible());
    }
    ASSERT_TRUE(ConfirmationAppears([&] { return frame.PressAltF4(); }));
    EXPECT_TRUE(YesEndsTheProgram());
}

} // namespace
} // namespace gui
