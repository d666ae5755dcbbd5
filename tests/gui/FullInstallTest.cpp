// tests/gui/FullInstallTest.cpp
//
// The installer with the full demo payload, start to end: the Progress page
// while it works (buttons, dots, bar, and Enter, Escape, the close box and
// Alt+F4 pressed in between), then the installed tree against the demo's.

#include "FileTree.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace gui {
namespace {

using ::testing::IsEmpty;

constexpr size_t kFiles = 2296;
constexpr uintmax_t kBytes = 248348403;
constexpr const char* kStatus = "Entpacke und installiere Dateien";

class FullInstallTest : public WizardTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileTree::MakeFresh(TestPaths::Drive()));
        ASSERT_TRUE(StartInstaller("SETUP_EXE"));
    }

    void TearDown() override { FileTree::MakeFresh(TestPaths::Drive()); }

    // The bar of the Progress page, also once that page is hidden.
    int BarPosition() const {
        for (const Window& window : m_wizard.Frame().Descendants()) {
            if (window.Id() == Wizard::kProgressBar)
                return static_cast<int>(window.Send(PBM_GETPOS, 0, 0));
        }
        return -1;
    }

    bool Busy() const {
        return m_wizard.CurrentPage() == Page::Progress && !m_wizard.Back().IsEnabled() &&
               !m_wizard.Next().IsEnabled() && !m_wizard.Cancel().IsEnabled();
    }
};

TEST_F(FullInstallTest, InstallsTheWholePayloadWhateverIsPressedMeanwhile) {
    ASSERT_TRUE(GoToSummary("E:\\"));
    ASSERT_TRUE(m_wizard.Next().Click());
    ASSERT_TRUE(m_wizard.WaitForPage(Page::Progress));
    EXPECT_TRUE(Busy());
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("05-progress.png")));

    // Keys and the close box that would end or cancel an idle wizard.
    const Window frame = m_wizard.Frame();
    const std::function<bool()> presses[] = {
        [&] { return frame.PressKey(VK_RETURN); }, [&] { return frame.PressKey(VK_ESCAPE); },
        [&] { return frame.SysCommand(SC_CLOSE); }, [&] { return frame.PressAltF4(); }};
    for (const auto& press : presses) {
        ASSERT_TRUE(press());
        frame.Sync();
        ASSERT_TRUE(m_wizard.Program().IsRunning());
        ASSERT_EQ(m_wizard.CountMessageBoxes(), 0);
        ASSERT_TRUE(Busy()) << "the wizard left the Progress page";
    }

    // The status line cycles one to three dots; the bar only rises.
    std::set<std::string> lines;
    std::vector<int> positions;
    WaitUntil(
        [&] {
            if (m_wizard.CurrentPage() == Page::Progress) {
                lines.insert(m_wizard.Control(Wizard::kStatusLine).Text());
                positions.push_back(BarPosition());
                EXPECT_FALSE(m_wizard.Next().IsEnabled());
                EXPECT_FALSE(m_wizard.Cancel().IsEnabled());
                EXPECT_FALSE(m_wizard.Back().IsEnabled());
            }
            return m_wizard.CurrentPage() == Page::Finish;
        },
        Millis(1500000));
    ASSERT_EQ(m_wizard.CurrentPage(), Page::Finish);
    const std::string status = kStatus;
    EXPECT_THAT(lines, ::testing::IsSupersetOf({status + ".", status + "..", status + "..."}));
    EXPECT_EQ(lines.count(status + "...."), 0u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(BarPosition(), 100);
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    ASSERT_TRUE(FinishAndEnd());

    const auto files = FileTree::ListFiles(TestPaths::Drive());
    EXPECT_EQ(files.size(), kFiles);
    EXPECT_EQ(std::accumulate(files.begin(), files.end(), uintmax_t{0},
                              [](uintmax_t sum, const auto& file) { return sum + file.second; }),
              kBytes);
    EXPECT_THAT(
        FileTree::Compare(TestPaths::FromEnvironment("GUI_REFERENCE_FULL"), TestPaths::Drive()),
        IsEmpty());
    EXPECT_THAT(FileTree::ListFiles(m_temp), IsEmpty());
}

} // namespace
} // namespace gui
