// tests/pages/PagesTest.cpp: the pages before the installation, driven through
// the frame's buttons as a user would.
#include "PageTestSupport.h"

#include "pages/TargetDir.h"

namespace {

TEST_F(WizardTest, WelcomeShowsOnlyNextAndAsksFor242MB) {
    wizard.Run([&] {
        const std::string strPreface = ItemText(welcome, IDC_WELCOME_PREFACE);
        EXPECT_NE(std::string::npos, strPreface.find("Korvanu 1.1")) << strPreface;
        EXPECT_NE(std::string::npos, strPreface.find("242MB")) << strPreface;
        // Again after Back from the License page, which disables Next.
        for (int i = 0; i < 2; ++i) {
            EXPECT_FALSE(wizard.IsButtonShown(ID_WIZBACK));
            EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZNEXT));
            EXPECT_TRUE(wizard.IsButtonEnabled(IDCANCEL));
            EXPECT_EQ("Weiter >", wizard.ButtonText(ID_WIZNEXT));
            NextTo(license);
            BackTo(welcome);
        }
    });
}

TEST_F(WizardTest, LicenseGatesNextAndShowsItsTextFromTheStart) {
    wizard.Run([&] {
        NextTo(license);
        HWND hBox = license.GetDlgItem(IDC_LICENSE_TEXT);
        EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZBACK));
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_EQ(LoadText(IDS_LICENSE_TEXT), TextOf(hBox));
        EXPECT_EQ("\r\n", TextOf(hBox).substr(0, 2));
        EXPECT_TRUE(::GetWindowLongA(hBox, GWL_STYLE) & ES_READONLY);

        TickAccept();
        EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZNEXT));
        TickAccept();
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        TickAccept();

        // Read on and select, leave and come back: the box is at its start
        // again, with the focus, and the tick is kept.
        ::SendMessageA(hBox, EM_SETSEL, 2000, 2100);
        ::SendMessageA(hBox, EM_SCROLLCARET, 0, 0);
        ASSERT_GT(::SendMessageA(hBox, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        NextTo(target);
        BackTo(license);
        EXPECT_EQ(hBox, ::GetFocus());
        EXPECT_EQ(0, ::SendMessageA(hBox, EM_GETSEL, 0, 0));
        EXPECT_EQ(0, ::SendMessageA(hBox, EM_GETFIRSTVISIBLELINE, 0, 0));
        EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZNEXT));
    });
}

TEST_F(WizardTest, TargetBrowsesOwnedByTheFrameInAnApartment) {
    wizard.Run([&] {
        GoToSummary("C:\\");
        EXPECT_EQ(wizard.m_hWnd, target.lastInfo.hwndOwner);
        EXPECT_EQ(nullptr, target.lastInfo.pidlRoot);
        EXPECT_EQ(0x251u, target.lastInfo.ulFlags);
        EXPECT_NE(nullptr, target.lastInfo.pszDisplayName);
        EXPECT_EQ(LoadText(IDS_TARGET_BROWSE_TITLE), target.strLastTitle);
        EXPECT_TRUE(target.bApartmentReady);
    });
}

TEST_F(WizardTest, TargetChoiceGatesNextAndReachesTheSummaryAsStored) {
    wizard.Run([&] {
        NextTo(license);
        TickAccept();
        NextTo(target);
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_EQ(260, ::SendMessageA(target.GetDlgItem(IDC_TARGET_PATH), EM_GETLIMITTEXT, 0, 0));
        Browse("");
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));

        Browse("C:\\");
        Browse(""); // cancelled: the choice stays
        EXPECT_TRUE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_EQ("C:\\", ItemText(target, IDC_TARGET_PATH));
        NextTo(summary);
        EXPECT_EQ("Installieren", wizard.ButtonText(ID_WIZNEXT));
        EXPECT_TRUE(wizard.IsButtonEnabled(IDCANCEL));
        EXPECT_EQ("C:\\", ItemText(summary, IDC_SUMMARY_PATH));

        BackTo(target);
        EXPECT_EQ("Weiter >", wizard.ButtonText(ID_WIZNEXT));
        Browse("C:\\windows");
        NextTo(summary);
        EXPECT_EQ(0, ::lstrcmpiA("C:\\windows", g_strTargetDir));
        EXPECT_EQ(std::string(g_strTargetDir), ItemText(summary, IDC_SUMMARY_PATH));

        BackTo(target);
        Browse(CScriptedTargetPage::kNoFileSystemPath);
        EXPECT_FALSE(wizard.IsButtonEnabled(ID_WIZNEXT));
        EXPECT_EQ("", ItemText(target, IDC_TARGET_PATH));
        EXPECT_EQ("", std::string(g_strTargetDir));
    });
}

} // namespace
