// tests/gui/DriverTest.cpp
//
// The driver against a probe window of our own, so that a fault in the driver
// is not mistaken for one in the installer.

#include "FileTree.h"
#include "FolderBrowser.h"
#include "Image.h"
#include "MessageDialog.h"
#include "Process.h"
#include "TestPaths.h"
#include "Wait.h"
#include "Wizard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kAsk = 100;
constexpr int kBrowse = 101;
constexpr int kStatus = 102;
constexpr int kDisabled = 103;
constexpr int kHidden = 104;
constexpr int kCheck = 105;
constexpr DWORD kClosedExitCode = 7;

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_probe.Start(TestPaths::FromEnvironment("DRIVER_PROBE_EXE")));
        m_window = m_probe.WaitForTopWindow(
            [](const Window& window) { return window.Text() == "Driver Probe"; }, Millis(30000));
        ASSERT_TRUE(m_window);
    }

    bool StatusBecomes(const std::string& text) const {
        return WaitUntil([&] { return m_window.Item(kStatus).Text() == text; }, Millis(5000));
    }

    Process m_probe;
    Window m_window;
};

TEST_F(DriverTest, ReadsWindowsAndClicksButtons) {
    EXPECT_EQ(m_window.ClassName(), "#32770");
    EXPECT_EQ(m_window.ProcessId(), m_probe.Id());
    EXPECT_EQ(m_window.Item(kAsk).Text(), "Ask");
    ASSERT_TRUE(m_window.Item(kAsk).Click());
    const Window box = m_probe.WaitForTopWindow(MessageDialog::IsMessageBox, Millis(10000));
    ASSERT_TRUE(box);
    EXPECT_TRUE(MessageDialog(box).Press(IDYES));
    EXPECT_TRUE(StatusBecomes("box 6"));
}

TEST_F(DriverTest, RefusesWhatAPersonCouldNotClick) {
    EXPECT_FALSE(m_window.Item(kDisabled).IsEnabled());
    EXPECT_FALSE(m_window.Item(kDisabled).Click());
    EXPECT_FALSE(m_window.Item(kHidden).IsVisible());
    EXPECT_FALSE(m_window.Item(kHidden).Click());
    EXPECT_FALSE(m_window.FindVisible(kHidden));
    EXPECT_FALSE(Window().Click());
    m_window.Sync();
    EXPECT_EQ(m_window.Item(kStatus).Text(), "");
}

TEST_F(DriverTest, TicksAndUnticksACheckBox) {
    const Window check = m_window.Item(kCheck);
    ASSERT_TRUE(check.Click());
    EXPECT_TRUE(
        WaitUntil([&] { return check.Send(BM_GETCHECK, 0, 0) == BST_CHECKED; }, Millis(5000)));
    ASSERT_TRUE(check.Click());
    EXPECT_TRUE(
        WaitUntil([&] { return check.Send(BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, Millis(5000)));
}

TEST_F(DriverTest, KeysReachTheDialogManager) {
    ASSERT_TRUE(m_window.PressKey(VK_RETURN));
    EXPECT_TRUE(StatusBecomes("command 1"));
    ASSERT_TRUE(m_window.PressKey(VK_ESCAPE));
    EXPECT_TRUE(StatusBecomes("command 2"));
    EXPECT_TRUE(m_probe.IsRunning());
}

TEST_F(DriverTest, AltF4ClosesAndTheExitCodeIsRead) {
    ASSERT_TRUE(m_window.PressAltF4());
    ASSERT_TRUE(m_probe.WaitForExit(Millis(10000)));
    EXPECT_EQ(m_probe.ExitCode(), kClosedExitCode);
}

TEST_F(DriverTest, SystemCommandsArrive) {
    ASSERT_TRUE(m_window.SysCommand(0x13));
    EXPECT_TRUE(StatusBecomes("about"));
    ASSERT_TRUE(m_window.SysCommand(SC_CLOSE));
    ASSERT_TRUE(m_probe.WaitForExit(Millis(10000)));
    EXPECT_EQ(m_probe.ExitCode(), kClosedExitCode);
}

TEST_F(DriverTest, ReadsAMessageBox) {
    ASSERT_TRUE(m_window.Item(kAsk).Click());
    const Window window = m_probe.WaitForTopWindow(MessageDialog::IsMessageBox, Millis(10000));
    ASSERT_TRUE(window);
    const MessageDialog box(window);
    EXPECT_EQ(box.Caption(), "Probe");
    EXPECT_EQ(box.Text(), "Probe text");
    EXPECT_THAT(box.Buttons(), ElementsAre(IDYES, IDNO));
    EXPECT_EQ(box.ShownIcon(), MessageDialog::Icon::Question);
    EXPECT_TRUE(Wizard::SaveScreenshot(window, TestPaths::Screen("driver-message-box.png")));
    ASSERT_TRUE(box.Press(IDNO));
    EXPECT_TRUE(StatusBecomes("box 7"));
}

TEST_F(DriverTest, ChoosesFoldersInTheShellBrowser) {
    const std::string sub = TestPaths::Drive() + "\\probe";
    ASSERT_TRUE(FileTree::MakeFresh(sub));
    for (const std::string path : {"E:\\", "E:\\probe"}) {
        for (const bool keys : {false, true}) {
            SCOPED_TRACE(path + (keys ? " with the keys" : " with the mouse"));
            ASSERT_TRUE(m_window.Item(kBrowse).Click());
            const Window window =
                m_probe.WaitForTopWindow(FolderBrowser::IsFolderBrowser, Millis(15000));
            ASSERT_TRUE(window);
            EXPECT_FALSE(MessageDialog::IsMessageBox(window));
            const FolderBrowser browser(window);
            ASSERT_TRUE(keys ? browser.ChooseWithKeys(path) : browser.ChooseWithMouse(path));
            EXPECT_TRUE(StatusBecomes(path));
        }
    }
    ASSERT_TRUE(m_window.Item(kBrowse).Click());
    const Window browser = m_probe.WaitForTopWindow(FolderBrowser::IsFolderBrowser, Millis(15000));
    ASSERT_TRUE(FolderBrowser(browser).Cancel());
    EXPECT_TRUE(StatusBecomes("cancelled"));
}

TEST_F(DriverTest, CapturesTheWindowAsItIsShown) {
    const RECT rect = m_window.ScreenRect();
    const Image shot = Image::CaptureScreen(rect);
    ASSERT_FALSE(shot.Empty());
    EXPECT_EQ(shot.Width(), rect.right - rect.left);
    EXPECT_EQ(shot.Height(), rect.bottom - rect.top);
    EXPECT_DOUBLE_EQ(shot.DifferenceTo(shot), 0.0);
    EXPECT_TRUE(Wizard::SaveScreenshot(m_window, TestPaths::Screen("driver-probe.png")));
}

TEST_F(DriverTest, TerminatesAProgramLeftRunning) {
    {
        Process second;
        ASSERT_TRUE(second.Start(TestPaths::FromEnvironment("DRIVER_PROBE_EXE")));
        ASSERT_TRUE(second.WaitForTopWindow([](const Window&) { return true; }, Millis(30000)));
    }
    EXPECT_TRUE(m_probe.IsRunning());
    EXPECT_EQ(m_probe.TopWindows().size(), 1u);
}

TEST(ProcessTest, StartFailsForAMissingProgram) {
    Process process;
    EXPECT_FALSE(process.Start("Z:\\nonexistent\\missing.exe"));
    EXPECT_FALSE(process.IsRunning());
    EXPECT_FALSE(process.WaitForExit(Millis(10)));
}

TEST(WaitTest, GivesUpAtTheTimeout) {
    int calls = 0;
    EXPECT_FALSE(WaitUntil([&] { return ++calls < 0; }, Millis(100)));
    EXPECT_GT(calls, 1);
    EXPECT_TRUE(WaitUntil([] { return true; }, Millis(0)));
}

TEST(FileTreeTest, MapsUnixPathsOntoDriveZ) {
    EXPECT_EQ(FileTree::WindowsPath("/work/a b/c"), "Z:\\work\\a b\\c");
    EXPECT_EQ(FileTree::WindowsPath("E:\\x"), "E:\\x");
    EXPECT_EQ(FileTree::WindowsPath(""), "");
}

TEST(FileTreeTest, ComparesTreesAndClearsReadOnlyFiles) {
    const std::string a = TestPaths::FreshScratch("a");
    const std::string b = TestPaths::FreshScratch("b");
    ASSERT_TRUE(FileTree::MakeFresh(a + "\\sub"));
    ASSERT_TRUE(FileTree::MakeFresh(b + "\\sub"));
    ASSERT_TRUE(FileTree::WriteFile(a + "\\sub\\same", "1234"));
    ASSERT_TRUE(FileTree::WriteFile(b + "\\sub\\same", "1234"));
    EXPECT_THAT(FileTree::Compare(a, b), IsEmpty());

    ASSERT_TRUE(FileTree::WriteFile(a + "\\only-a", ""));
    ASSERT_TRUE(FileTree::WriteFile(b + "\\only-b", ""));
    ASSERT_TRUE(FileTree::WriteFile(b + "\\sub\\same", "1235"));
    EXPECT_THAT(FileTree::Compare(a, b),
                ElementsAre("missing: only-a", "differs: sub\\same", "surplus: only-b"));
    EXPECT_EQ(FileTree::ListFiles(a).at("sub\\same"), 4u);

    ASSERT_TRUE(SetFileAttributesA((b + "\\sub\\same").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FileTree::MakeFresh(b));
    EXPECT_THAT(FileTree::ListFiles(b), IsEmpty());
}

} // namespace
} // namespace gui
