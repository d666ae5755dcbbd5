// tests/gui/FullInstallTest.cpp
//
// The installer with the full demo payload, start to end: the Progress page
// while it works (buttons, dots, bar, and everything an impatient user or
// another program can press in between), then the installed tree against the
// demo's.

#include "FileTree.h"
#include "Mouse.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

namespace gui {
namespace {

using ::testing::IsEmpty;

constexpr size_t kFiles = 2296;
constexpr uintmax_t kBytes = 248348403;
constexpr const char* kStatus = "Entpacke und installiere Dateien";
constexpr const char* kAboutCaption = "Info...";

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
            if (window.Id() == IDC_PROGRESS_BAR)
                return static_cast<int>(window.Send(PBM_GETPOS, 0, 0));
        }
        return -1;
    }

    bool Busy() const {
        return m_wizard.CurrentPage() == Page::Progress && !m_wizard.Back().IsEnabled() &&
               !m_wizard.Next().IsEnabled() && !m_wizard.Cancel().IsEnabled();
    }

    // The About box over the running installation, closed again with OK.
    bool OpenAndCloseAbout() const {
        if (!m_wizard.Frame().SysCommand(IDM_ABOUTBOX))
            return false;
        const Window about = m_wizard.WaitForTopWindow(kAboutCaption);
        return about && !IsWindowEnabled(m_wizard.Frame().Handle()) && about.Item(IDOK).Click() &&
               WaitUntil([&] { return IsWindowEnabled(m_wizard.Frame().Handle()) != 0; },
                         Millis(5000));
    }

    // Whatever would end, cancel or move an idle wizard: keys, the close box,
    // window messages from other programs, the commands of the frame sent to
    // the frame and to every page window created so far, mouse clicks on the
    // disabled buttons, and the About box.
    std::vector<std::pair<std::string, std::function<bool()>>> Presses() const {
        const Window frame = m_wizard.Frame();
        std::vector<std::pair<std::string, std::function<bool()>>> presses = {
            {"Enter", [=] { return frame.PressKey(VK_RETURN); }},
            {"Escape", [=] { return frame.PressKey(VK_ESCAPE); }},
            {"close box", [=] { return frame.SysCommand(SC_CLOSE); }},
            {"Alt+F4", [=] { return frame.PressAltF4(); }},
            {"WM_CLOSE", [=] { return frame.Post(WM_CLOSE, 0, 0); }},
            {"mouse on Back, Next and Cancel",
             [this] {
                 return Mouse::Click({m_wizard.Back(), m_wizard.Next(), m_wizard.Cancel()});
             }},
            {"About box", [this] { return OpenAndCloseAbout(); }},
        };
        std::vector<std::pair<std::string, Window>> targets = {{"frame", frame}};
        for (const Window& child : frame.Children()) {
            if (!child.Descendants().empty())
                targets.emplace_back("page window " + std::to_string(targets.size()), child);
        }
        for (const auto& [name, target] : targets) {
            for (int id : {IDOK, IDCANCEL, ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH}) {
                presses.emplace_back(
                    "command " + std::to_string(id) + " to " + name, [target = target, id] {
                        return target.Post(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                    });
            }
        }
        return presses;
    }
};

TEST_F(FullInstallTest, InstallsTheWholePayloadWhateverIsPressedMeanwhile) {
    ASSERT_TRUE(GoToSummary("E:\\"));
    ASSERT_TRUE(m_wizard.Next().Click());
    ASSERT_TRUE(m_wizard.WaitForPage(Page::Progress));
    EXPECT_TRUE(Busy());
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("05-progress.png")));

    const auto presses = Presses();
    // The five pages before the Finish page, each with five commands.
    ASSERT_EQ(presses.size(), 7u + 6u * 5u);
    for (const auto& [name, press] : presses) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(press());
        m_wizard.Frame().Sync();
        ASSERT_TRUE(m_wizard.Program().IsRunning());
        ASSERT_EQ(m_wizard.CountMessageBoxes(), 0);
        ASSERT_TRUE(Busy()) << "the wizard left the Progress page";
    }

    // The status line cycles one to three dots; the bar only rises.
    std::set<std::string> lines;
    std::vector<int> positions;
    WaitUntil(
        [&] {
            if (m_wizard.CurrentPage() != Page::Progress)
                return m_wizard.CurrentPage() == Page::Finish;
            const std::string line = m_wizard.Control(IDC_PROGRESS_PREFACE).Text();
            const int position = BarPosition();
            const bool next = m_wizard.Next().IsEnabled();
            const bool cancel = m_wizard.Cancel().IsEnabled();
            const bool back = m_wizard.Back().IsEnabled();
            // Only what was read while the Progress page stayed current counts:
            // the Finish page may have come between the reads.
            if (m_wizard.CurrentPage() == Page::Progress) {
                lines.insert(line);
                positions.push_back(position);
                EXPECT_FALSE(next);
                EXPECT_FALSE(cancel);
                EXPECT_FALSE(back);
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
