// tests/gui/InstallTest.cpp
//
// Whole runs of the installer with the small demo payload: licence, target
// folder, summary, installation, finish; cancelling on every page before the
// installation; files already in the target.

#include "FileTree.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace gui {
namespace {

using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class InstallTest : public WizardTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileTree::MakeFresh(TestPaths::Drive()));
        ASSERT_TRUE(StartInstaller());
    }

    std::string Drive(const std::string& relative) const {
        return TestPaths::Drive() + (relative.empty() ? "" : "\\" + relative);
    }

    // The installed folder holds exactly the demo payload and TMP is empty again.
    void ExpectDemoTreeIn(const std::string& folder) const {
        EXPECT_THAT(FileTree::Compare(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL"), folder),
                    IsEmpty());
        EXPECT_THAT(FileTree::ListFiles(m_temp), IsEmpty());
    }

    bool CheckBox(bool ticked) const {
        const Window box = m_wizard.Control(IDC_LICENSE_CHECK);
        return box.Click() &&
               WaitUntil(
                   [&] {
                       return box.Send(BM_GETCHECK, 0, 0) == (ticked ? BST_CHECKED : BST_UNCHECKED);
                   },
                   Millis(5000));
    }
};

TEST_F(InstallTest, NextNeedsTheTickedLicenceBox) {
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    ASSERT_TRUE(GoToLicense());
    EXPECT_FALSE(m_wizard.Next().IsEnabled());
    EXPECT_FALSE(m_wizard.Next().Click());
    ASSERT_TRUE(CheckBox(true));
    EXPECT_TRUE(WaitUntil([&] { return m_wizard.Next().IsEnabled(); }, Millis(5000)));
    ASSERT_TRUE(CheckBox(false));
    EXPECT_TRUE(WaitUntil([&] { return !m_wizard.Next().IsEnabled(); }, Millis(5000)));
    ASSERT_TRUE(m_wizard.PressBack(Page::Welcome));
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    ASSERT_TRUE(m_wizard.PressNext(Page::License));
    EXPECT_FALSE(m_wizard.Next().IsEnabled());
}

TEST_F(InstallTest, InstallsIntoADriveRoot) {
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("01-welcome.png")));
    ASSERT_TRUE(GoToLicense());
    ASSERT_TRUE(CheckBox(true));
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("02-license.png")));
    ASSERT_TRUE(m_wizard.PressNext(Page::Target));
    EXPECT_FALSE(m_wizard.Next().IsEnabled());
    EXPECT_EQ(m_wizard.Control(IDC_TARGET_PATH).Text(), "");
    ASSERT_TRUE(m_wizard.ChooseFolder("E:\\"));
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("03-target.png")));

    ASSERT_TRUE(m_wizard.PressNext(Page::Summary));
    EXPECT_EQ(m_wizard.Next().Text(), "Installieren");
    EXPECT_EQ(m_wizard.Control(IDC_SUMMARY_PATH).Text(), "E:\\");
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("04-summary.png")));
    ASSERT_TRUE(m_wizard.PressBack(Page::Target));
    EXPECT_EQ(m_wizard.Next().Text(), "Weiter >");
    ASSERT_TRUE(m_wizard.PressBack(Page::License));
    EXPECT_EQ(m_wizard.Next().Text(), "Weiter >");
    ASSERT_TRUE(m_wizard.PressNext(Page::Target));
    ASSERT_TRUE(m_wizard.PressNext(Page::Summary));
    EXPECT_EQ(m_wizard.Control(IDC_SUMMARY_PATH).Text(), "E:\\");

    ASSERT_TRUE(InstallFromSummary());
    EXPECT_EQ(m_wizard.Next().Text(), "Fertig");
    EXPECT_TRUE(m_wizard.Next().IsEnabled());
    EXPECT_TRUE(m_wizard.Back().IsVisible());
    EXPECT_FALSE(m_wizard.Back().IsEnabled());
    EXPECT_TRUE(m_wizard.Cancel().IsVisible());
    EXPECT_FALSE(m_wizard.Cancel().IsEnabled());
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    EXPECT_TRUE(m_wizard.SaveScreenshot(Shot("06-finish.png")));

    // What a screen reader reads from the titles and subtitles of all six pages.
    const std::map<int, std::string> labels = {
        {IDC_WELCOME_TOPIC, "Willkommen beim Installations-Assistenten f\xFCr Korvanu 1.1"},
        {IDC_LICENSE_TOPIC, "Lizenzvereinbarung"},
        {IDC_LICENSE_SUBTOPIC, "Bitte lesen Sie die Lizenzvereinbarung durch, bevor Sie mit der "
                               "Installation fortfahren."},
        {IDC_TARGET_TOPIC, "Installationsziel w\xE4hlen"},
        {IDC_TARGET_SUBTOPIC,
         "W\xE4hlen Sie die SD-Karte aus, auf der Korvanu 1.1 installiert werden soll."},
        {IDC_SUMMARY_TOPIC, "Zusammenfassung"},
        {IDC_SUMMARY_SUBTOPIC, "Bereit zum Installieren von Korvanu 1.1"},
        {IDC_PROGRESS_TOPIC, "Installation"},
        {IDC_PROGRESS_SUBTOPIC, "Korvanu 1.1 wird installiert."},
        {IDC_FINISH_TOPIC, "Die Installation von Korvanu 1.1 wird abgeschlossen"}};
    std::map<int, std::string> read;
    for (const Window& page : m_wizard.Frame().Children()) {
        for (const auto& [id, text] : labels) {
            if (page.Item(id).ClassName() == "Static")
                read[id] = page.Item(id).Text();
        }
    }
    EXPECT_EQ(read, labels);
    ASSERT_TRUE(FinishAndEnd());
    ExpectDemoTreeIn(Drive(""));
}

TEST_F(InstallTest, InstallsIntoAFolderChosenAgainAfterBack) {
    ASSERT_TRUE(FileTree::MakeFresh(Drive("first")));
    ASSERT_TRUE(FileTree::MakeFresh(Drive("second")));
    ASSERT_TRUE(GoToSummary("E:\\first"));
    EXPECT_EQ(m_wizard.Control(IDC_SUMMARY_PATH).Text(), "E:\\first");
    ASSERT_TRUE(m_wizard.PressBack(Page::Target));
    ASSERT_TRUE(m_wizard.ChooseFolder("E:\\second"));
    ASSERT_TRUE(m_wizard.PressNext(Page::Summary));
    EXPECT_EQ(m_wizard.Control(IDC_SUMMARY_PATH).Text(), "E:\\second");
    ASSERT_TRUE(InstallFromSummary());
    ASSERT_TRUE(FinishAndEnd());
    ExpectDemoTreeIn(Drive("second"));
    EXPECT_THAT(FileTree::ListFiles(Drive("first")), IsEmpty());
}

// Files in the target are replaced without a question; one that cannot be
// written gets the extraction's message box, keeps its content, and the rest
// goes on. Wine lets root write read-only files, so the file is also held open
// without sharing, which fails the installer's open for any user.
TEST_F(InstallTest, ReplacesFilesAndReportsOneThatCannotBeWritten) {
    const auto names = FileTree::ListFiles(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL"));
    ASSERT_GE(names.size(), 2u);
    const std::string replaced = names.begin()->first;
    const std::string locked = std::next(names.begin())->first;
    ASSERT_EQ(replaced.find('\\'), std::string::npos) << "a file at the root is expected first";
    ASSERT_TRUE(FileTree::WriteFile(Drive(replaced), "old"));
    ASSERT_TRUE(FileTree::MakeFresh(Drive(locked.substr(0, locked.rfind('\\') + 1))));
    ASSERT_TRUE(FileTree::WriteFile(Drive(locked), "old"));
    ASSERT_TRUE(SetFileAttributesA(Drive(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = CreateFileA(Drive(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ASSERT_TRUE(GoToSummary("E:\\"));
    ASSERT_TRUE(m_wizard.Next().Click());
    const MessageDialog box = m_wizard.WaitForMessageBox(Millis(60000));
    ASSERT_TRUE(box.Handle());
    EXPECT_EQ(box.Text(), "Failed to open file to decompress");
    EXPECT_THAT(box.Caption(), StartsWith(m_temp));
    EXPECT_THAT(box.Caption(), EndsWith("E:\\" + locked));
    EXPECT_THAT(box.Buttons(), ::testing::ElementsAre(IDOK));
    ASSERT_TRUE(box.Press(IDOK));
    ASSERT_TRUE(m_wizard.WaitForPage(Page::Finish, Millis(120000)));
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    ASSERT_TRUE(FinishAndEnd());
    CloseHandle(held);

    EXPECT_EQ(FileTree::ReadFile(Drive(locked)), "old");
    EXPECT_EQ(
        FileTree::ReadFile(Drive(replaced)),
        FileTree::ReadFile(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL") + "\\" + replaced));
    EXPECT_THAT(FileTree::Compare(TestPaths::FromEnvironment("GUI_REFERENCE_SMALL"), Drive("")),
                ::testing::ElementsAre("differs: " + locked));
    EXPECT_THAT(FileTree::ListFiles(m_temp), IsEmpty());
    FileTree::MakeFresh(Drive(""));
}

// Drive S: of the mounts fixture holds 256 KiB: "Installieren" says so and the
// wizard stays on the Summary page, with nothing written onto the card.
TEST_F(InstallTest, ACardTooSmallIsToldBeforeAnythingIsWritten) {
    if (GetFileAttributesA("S:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no small file system as drive S:";
    const auto before = FileTree::ListFiles("S:\\");
    ASSERT_TRUE(GoToSummary("S:\\"));
    ASSERT_TRUE(m_wizard.Next().Click());
    const MessageDialog box = m_wizard.WaitForMessageBox();
    ASSERT_TRUE(box.Handle());
    EXPECT_EQ(box.Text(), "Auf dem Ziellaufwerk sind nur 0 MB frei. F\xFCr die Installation "
                          "werden 2 MB ben\xF6tigt.");
    EXPECT_EQ(box.Caption(), "Fehler");
    EXPECT_THAT(box.Buttons(), ::testing::ElementsAre(IDOK));
    EXPECT_EQ(GetWindow(box.Handle().Handle(), GW_OWNER), m_wizard.Frame().Handle());
    ASSERT_TRUE(box.Press(IDOK));
    EXPECT_TRUE(m_wizard.WaitForPage(Page::Summary));
    EXPECT_EQ(m_wizard.Next().Text(), "Installieren");
    EXPECT_EQ(FileTree::ListFiles("S:\\"), before);
}

// Cancel on each page before the installation: one box; No keeps the page,
// its buttons and what was chosen; Yes ends the program with exit code 0.
class CancelTest : public InstallTest, public ::testing::WithParamInterface<Page> {};

TEST_P(CancelTest, AsksOnceNoKeepsYesEnds) {
    const Page page = GetParam();
    if (page == Page::License) {
        ASSERT_TRUE(GoToLicense());
    } else if (page == Page::Target) {
        ASSERT_TRUE(GoToTarget());
    } else if (page == Page::Summary) {
        ASSERT_TRUE(GoToSummary("E:\\"));
    }
    ASSERT_EQ(m_wizard.CurrentPage(), page);
    const bool nextEnabled = m_wizard.Next().IsEnabled();
    const std::string nextText = m_wizard.Next().Text();
    const bool backVisible = m_wizard.Back().IsVisible();

    ASSERT_TRUE(ConfirmationAppears([&] { return m_wizard.Cancel().Click(); }));
    ASSERT_TRUE(m_box.Press(IDNO));
    m_wizard.Frame().Sync();
    EXPECT_EQ(m_wizard.CountMessageBoxes(), 0);
    EXPECT_EQ(m_wizard.CurrentPage(), page);
    EXPECT_EQ(m_wizard.Next().IsEnabled(), nextEnabled);
    EXPECT_EQ(m_wizard.Next().Text(), nextText);
    EXPECT_EQ(m_wizard.Back().IsVisible(), backVisible);
    EXPECT_TRUE(m_wizard.Cancel().IsEnabled());
    if (page == Page::Summary) {
        EXPECT_EQ(m_wizard.Control(IDC_SUMMARY_PATH).Text(), "E:\\");
    }

    ASSERT_TRUE(ConfirmationAppears([&] { return m_wizard.Cancel().Click(); }));
    EXPECT_TRUE(YesEndsTheProgram());
    EXPECT_THAT(FileTree::ListFiles(Drive("")), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryPageBeforeTheInstallation, CancelTest,
                         ::testing::Values(Page::Welcome, Page::License, Page::Target,
                                           Page::Summary),
                         [](const auto& info) { return std::string(PageName(info.param)); });

} // namespace
} // namespace gui
