// tests/gui/FolderInstallTest.cpp
//
// An installer built from a folder of our own installs exactly that folder:
// an empty file, a binary one, a name with blanks, two levels of folders,
// German names and the euro sign (code page 1252 in the archive);
// whether CMake linked it or `payload build` filled the stub with it, and
// after that one was signed.

#include "FileTree.h"
#include "TestPaths.h"
#include "WizardTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gui {
namespace {

class FolderInstallTest : public WizardTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FolderInstallTest, InstallsExactlyTheFolderItWasBuiltFrom) {
    ASSERT_TRUE(FileTree::MakeFresh(TestPaths::Drive() + "\\folder"));
    ASSERT_TRUE(StartInstaller(GetParam()));
    ASSERT_TRUE(GoToSummary("E:\\folder"));
    ASSERT_TRUE(InstallFromSummary());
    ASSERT_TRUE(FinishAndEnd());
    const std::string source = TestPaths::FromEnvironment("GUI_FOLDER_SOURCE");
    ASSERT_EQ(FileTree::ListFiles(source).size(), 6u);
    const std::string target = TestPaths::Drive() + "\\folder";
    EXPECT_THAT(FileTree::Compare(source, target), ::testing::IsEmpty());
    EXPECT_THAT(FileTree::ListFiles(target),
                ::testing::Contains(::testing::Key(u8"Stra\u00DFe\\Preis 5 \u20AC.txt")));
    EXPECT_THAT(FileTree::ListFiles(m_temp), ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Installers, FolderInstallTest,
                         ::testing::Values("SETUP_FOLDER_EXE", "SETUP_BUILT_EXE",
                                           "SETUP_SIGNED_EXE"));

} // namespace
} // namespace gui
