// tests/gui/ImpatientTest.cpp
//
// An impatient user before and after "Installieren": fast bursts of clicks on
// Next and Back, "Installieren" pressed twice, hundreds of page switches and
// repaints, the About box over the end of the installation. The wizard stays
// on a consistent page, one worker installs, and no GDI or USER object leaks.

#include "FileTree.h"
#include "GuiObjects.h"
#include "Mouse.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace gui {
namespace {

using ::testing::IsEmpty;

constexpr const char* kAboutCaption = "Info...";

class ImpatientTest : public WizardTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileTree::MakeFresh(TestPaths::Drive()));
        ASSERT_TRUE(StartInstaller());
    }

    void TearDown() override { FileTree::MakeFresh(TestPaths::Drive()); }

    void ExpectDemoTree() const {
        EXPECT_THAT(FileTree::Compare(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL"),
                                      TestPaths::Drive()),
                    IsEmpty());
        EXPECT_THAT(FileTree::ListFiles(m_temp), IsEmpty());
    }

    // The buttons as the page on show sets them, before the installation.
    ::testing::AssertionResult ButtonsMatch(Page page, bool folderChosen) const {
        const bool backShown = page != Page::Welcome;
        bool nextEnabled = true;
        if (page == Page::License)
            nextEnabled =
                m_wizard.Control(IDC_LICENSE_CHECK).Send(BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (page == Page::Target)
            nextEnabled = folderChosen;
        const std::string nextText = page == Page::Summary ? "Installieren" : "Weiter >";
        if (m_wizard.Back().IsVisible() != backShown)
            return ::testing::AssertionFailure() << "Back shown: " << m_wizard.Back().IsVisible();
        if (backShown && !m_wizard.Back().IsEnabled())
            return ::testing::AssertionFailure() << "Back disabled";
        if (m_wizard.Next().IsEnabled() != nextEnabled)
            return ::testing::AssertionFailure() << "Next enabled: " << m_wizard.Next().IsEnabled();
        if (m_wizard.Next().Text() != nextText)
            return ::testing::AssertionFailure() << "Next reads " << m_wizard.Next().Text();
        if (!m_wizard.Cancel().IsEnabled())
            return ::testing::AssertionFailure() << "Cancel disabled";
        return ::testing::AssertionSuccess();
    }

    // Clicks Next ('N') and Back ('B') as one burst of mouse input, and works
    // out where a wizard that takes every click in turn ends: Back does
    // nothing where it is hidden, Next nothing where it is disabled. A burst
    // that would press "Installieren" is refused (Page::None).
    Page ClickBurst(const std::string& clicks, Page from, bool folderChosen) const {
        const std::vector<Page> order = {Page::Welcome, Page::License, Page::Target, Page::Summary};
        size_t at = std::find(order.begin(), order.end(), from) - order.begin();
        std::vector<Window> targets;
        for (char click : clicks) {
            targets.push_back(click == 'N' ? m_wizard.Next() : m_wizard.Back());
            if (click == 'B' && at > 0)
                --at;
            else if (click == 'N' && (order[at] != Page::Target || folderChosen))
                ++at;
            if (at == order.size())
                return Page::None;
        }
        return Mouse::Click(targets) ? order[at] : Page::None;
    }

    // The page that stays. Mouse input is handled after every sent or posted
    // message, so no message tells when the burst is through: the page must
    // stay the same for a second.
    ::testing::AssertionResult SettlesOn(Page page) const {
        Page last = Page::None;
        auto since = std::chrono::steady_clock::now();
        const bool settled = WaitUntil(
            [&] {
                const Page now = m_wizard.CurrentPage();
                if (now != last) {
                    last = now;
                    since = std::chrono::steady_clock::now();
                }
                return now == page && std::chrono::steady_clock::now() - since >= Millis(1000);
            },
            Millis(15000));
        if (!settled || !m_wizard.Frame().Sync() || m_wizard.CurrentPage() != page)
            return ::testing::AssertionFailure()
                   << "the wizard shows " << PageName(m_wizard.CurrentPage()) << ", not "
                   << PageName(page);
        return ::testing::AssertionSuccess();
    }

    // Repaints every control of the page on show, its labels among them.
    bool RepaintControls() const {
        for (const Window& child : m_wizard.Frame().Children()) {
            if (!child.IsVisible() || child.Descendants().empty())
                continue;
            for (const Window& control : child.Children()) {
                if (!control.Repaint())
                    return false;
            }
        }
        return true;
    }
};

// Fast bursts of clicks on Next and Back, before and after a folder is chosen:
// the wizard ends where the clicks lead, one page on show, its buttons as the
// page sets them.
TEST_F(ImpatientTest, BurstsOfNextAndBackEndOnAConsistentPage) {
    ASSERT_TRUE(GoToTarget());
    ASSERT_TRUE(m_wizard.PressBack(Page::License));
    ASSERT_TRUE(m_wizard.PressBack(Page::Welcome));

    Page page = Page::Welcome;
    for (const char* clicks : {"NNNNNN", "BBBBBB", "NBNBNNBNNNBB", "NNBNBBBNNBNB", "BNNNNNNB"}) {
        SCOPED_TRACE(clicks);
        page = ClickBurst(clicks, page, false);
        ASSERT_NE(page, Page::None);
        ASSERT_TRUE(SettlesOn(page));
        EXPECT_TRUE(ButtonsMatch(page, false));
    }

    if (page == Page::Welcome) {
        ASSERT_TRUE(m_wizard.PressNext(Page::License));
    }
    if (m_wizard.CurrentPage() != Page::Target) {
        ASSERT_TRUE(m_wizard.PressNext(Page::Target));
    }
    ASSERT_TRUE(m_wizard.ChooseFolder("E:\\"));
    page = Page::Target;
    for (const char* clicks : {"NBNBNBNB", "BBNNNBBNNB", "BBBBNNNB", "NBBNNBNB"}) {
        SCOPED_TRACE(clicks);
        page = ClickBurst(clicks, page, true);
        ASSERT_NE(page, Page::None);
        ASSERT_TRUE(SettlesOn(page));
        EXPECT_TRUE(ButtonsMatch(page, true));
    }
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    EXPECT_THAT(FileTree::ListFiles(TestPaths::Drive()), IsEmpty());
}

// "Installieren" pressed twice in quick succession starts one worker: while
// the Progress page shows, the program has one thread more than on the
// Summary page, never two; the bar only rises and the tree is installed once.
class DoubleInstallTest : public ImpatientTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(DoubleInstallTest, StartsOneWorker) {
    ASSERT_TRUE(GoToSummary("E:\\"));
    const std::string way = GetParam();
    const Window next = m_wizard.Next();
    const int idle = m_wizard.Program().ThreadCount();
    ASSERT_GT(idle, 0);
    if (way == "double click") {
        ASSERT_TRUE(Mouse::Click({next, next}));
    } else if (way == "BM_CLICK twice") {
        ASSERT_TRUE(next.Post(BM_CLICK, 0, 0) && next.Post(BM_CLICK, 0, 0));
    } else {
        const WPARAM command = MAKEWPARAM(ID_WIZNEXT, BN_CLICKED);
        ASSERT_TRUE(m_wizard.Frame().Post(WM_COMMAND, command, 0) &&
                    m_wizard.Frame().Post(WM_COMMAND, command, 0));
    }

    int most = idle;
    std::vector<int> positions;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const Page page = m_wizard.CurrentPage();
            most = std::max(most, m_wizard.Program().ThreadCount());
            if (page == Page::Progress) {
                const int position =
                    static_cast<int>(m_wizard.Control(IDC_PROGRESS_BAR).Send(PBM_GETPOS, 0, 0));
                // The Finish page may have come between the two looks.
                if (m_wizard.CurrentPage() == Page::Progress)
                    positions.push_back(position);
            }
            return page == Page::Finish;
        },
        Millis(120000)));
    EXPECT_EQ(most, idle + 1);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    EXPECT_TRUE(WaitUntil([&] { return m_wizard.Program().ThreadCount() == idle; }, Millis(5000)))
        << "the worker still runs on the Finish page";
    ASSERT_TRUE(FinishAndEnd());
    ExpectDemoTree();
}

INSTANTIATE_TEST_SUITE_P(Installieren, DoubleInstallTest,
                         ::testing::Values("double click", "BM_CLICK twice", "command twice"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// 200 switches between the pages, the controls repainted every few switches:
// after a warm-up that creates every page, the program holds no more GDI or
// USER objects than before.
TEST_F(ImpatientTest, GuiObjectsStayFlatOverPageSwitchesAndRepaints) {
    ASSERT_TRUE(GoToSummary("E:\\"));
    const std::vector<Page> round = {Page::Target,  Page::License, Page::Welcome,
                                     Page::License, Page::Target,  Page::Summary};
    auto switchRound = [&] {
        for (size_t i = 0; i < round.size(); ++i) {
            const bool back = i < 3;
            if (!(back ? m_wizard.PressBack(round[i]) : m_wizard.PressNext(round[i])))
                return false;
            if (i % 2 == 0 && !RepaintControls())
                return false;
        }
        return true;
    };
    ASSERT_TRUE(switchRound());
    const GuiObjects before = GuiObjects::Of(m_wizard.Program());
    ASSERT_GT(before.gdi, 0u);
    ASSERT_GT(before.user, 0u);

    for (int switches = 0; switches < 200; switches += static_cast<int>(round.size())) {
        SCOPED_TRACE(switches);
        ASSERT_TRUE(switchRound());
    }
    const GuiObjects after = GuiObjects::Of(m_wizard.Program());
    EXPECT_LE(after.gdi, before.gdi) << "GDI objects";
    EXPECT_LE(after.user, before.user) << "USER objects";
}

// The About box opened while the worker runs and left open: the Finish page
// comes behind it, and once it is closed "Fertig" ends the wizard.
TEST_F(ImpatientTest, AboutBoxOpenWhileTheInstallationEnds) {
    ASSERT_TRUE(GoToSummary("E:\\"));
    ASSERT_TRUE(m_wizard.Next().Click());
    ASSERT_TRUE(m_wizard.Frame().SysCommand(IDM_ABOUTBOX));
    const Window about = m_wizard.WaitForTopWindow(kAboutCaption);
    ASSERT_TRUE(about);
    ASSERT_TRUE(m_wizard.WaitForPage(Page::Finish, Millis(120000)));
    EXPECT_TRUE(about.IsVisible());
    EXPECT_FALSE(m_wizard.Next().IsEnabled()) << "the About box is modal";
    ASSERT_TRUE(about.Item(IDOK).Click());
    ASSERT_TRUE(WaitUntil([&] { return m_wizard.Next().IsEnabled(); }, Millis(5000)));
    ASSERT_TRUE(FinishAndEnd());
    ExpectDemoTree();
}

} // namespace
} // namespace gui
