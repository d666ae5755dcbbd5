// tests/wizard/SetupDialogTest.cpp: the installer's main dialog on the real
// resources, without pages: caption, icon, system menu and About box.
#include "app/SetupDialog.h"
#include "ModalScript.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SetupDialog, CaptionIconAndSystemMenu) {
    CSetupDialog dlg;
    std::string strCaption, strLast;
    bool bSeparator = false;
    HICON hBig = nullptr, hSmall = nullptr, hDrag = nullptr;
    RunModal(dlg, [&] {
        strCaption = TextOf(dlg.m_hWnd);
        HMENU hMenu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
        int nItems = ::GetMenuItemCount(hMenu);
        char sz[64] = "";
        ::GetMenuStringA(hMenu, nItems - 1, sz, sizeof sz, MF_BYPOSITION);
        strLast = sz;
        bSeparator = ::GetMenuState(hMenu, nItems - 2, MF_BYPOSITION) & MF_SEPARATOR;
        hBig = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0));
        hSmall = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0));
        hDrag = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0));
    });
    EXPECT_EQ(strCaption, "Korvanu 1.1-Installation");
    EXPECT_EQ(strLast, "&Info...");
    EXPECT_TRUE(bSeparator);
    EXPECT_NE(hBig, nullptr);
    EXPECT_EQ(hSmall, hBig);
    EXPECT_EQ(hDrag, hBig);
}

TEST(SetupDialog, SystemCommandsOfTheAboutIdOpenTheAboutBox) {
    CSetupDialog dlg;
    // The About box takes the application's main window as its owner.
    CWinApp app;
    app.m_pMainWnd = &dlg;
    CBoxLog boxes;
    RunModal(dlg, [&] {
        CBoxAnswerer answerOk(IDOK, &boxes);
        ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        EXPECT_EQ(boxes.nShown, 1);
        EXPECT_EQ(boxes.strCaption, "Info...");
        EXPECT_EQ(boxes.hOwner, dlg.m_hWnd);
        ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, 0x001F, 0);
        EXPECT_EQ(boxes.nShown, 2);
        ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, 0x0020, 0);
        PumpMessages();
        EXPECT_EQ(boxes.nShown, 2);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
    });
}

} // namespace
