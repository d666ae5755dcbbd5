// tests/res/DialogInstanceTest.cpp: the dialog manager builds every template of this
// program's linked resources, and the pictures keep their pixel sizes.
#include "ExpectedResources.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// One modeless dialog from a template of this program, destroyed with the object.
class Instance {
public:
    Instance(WORD id, HWND hParent)
        : m_hWnd(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), hParent,
                                    NoHandling, 0)) {}
    ~Instance() {
        if (m_hWnd)
            DestroyWindow(m_hWnd);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

SIZE WindowSize(HWND hWnd) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The picture control of a page: the first child (IDC_HEADER or IDC_STATIC).
HWND Picture(HWND hPage) {
    return GetWindow(hPage, GW_CHILD);
}

class DialogInstances : public testing::Test {
protected:
    static void SetUpTestSuite() { InitCommonControls(); }
    void SetUp() override { ASSERT_TRUE(m_frame.Handle()) << "dialog 102"; }
    Instance m_frame{IDD_SETUP_DIALOG, nullptr};
};

} // namespace

TEST_F(DialogInstances, EveryPageIsBuilt) {
    for (WORD id : {IDD_WELCOME, IDD_LICENSE, IDD_TARGET, IDD_SUMMARY, IDD_PROGRESS, IDD_FINISH}) {
        Instance page(id, m_frame.Handle());
        EXPECT_TRUE(page.Handle()) << "page " << id;
    }
    Instance about(IDD_ABOUTBOX, m_frame.Handle());
    ASSERT_TRUE(about.Handle());
    HWND hIcon = GetWindow(about.Handle(), GW_CHILD);
    EXPECT_TRUE(SendMessageW(hIcon, STM_GETICON, 0, 0)) << "icon 128 in the About box";
}

TEST_F(DialogInstances, SidebarKeepsItsPixelSize) {
    for (WORD id : {IDD_WELCOME, IDD_FINISH}) {
        Instance page(id, m_frame.Handle());
        ASSERT_TRUE(page.Handle()) << id;
        HWND hPicture = Picture(page.Handle());
        EXPECT_TRUE(SendMessageW(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) << id;
        SIZE size = WindowSize(hPicture);
        EXPECT_EQ(size.cx, kBitmaps.at(IDB_SIDEBAR).width) << id;
        EXPECT_EQ(size.cy, kBitmaps.at(IDB_SIDEBAR).height) << id;
    }
}

TEST_F(DialogInstances, HeaderBandKeepsItsPixelSize) {
    for (WORD id : {IDD_LICENSE, IDD_TARGET, IDD_SUMMARY, IDD_PROGRESS}) {
        Instance page(id, m_frame.Handle());
        ASSERT_TRUE(page.Handle()) << id;
        HWND hPicture = GetDlgItem(page.Handle(), IDC_HEADER);
        EXPECT_TRUE(SendMessageW(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) << id;
        SIZE size = WindowSize(hPicture);
        EXPECT_EQ(size.cx, kBitmaps.at(IDB_HEADER).width) << id;
        EXPECT_EQ(size.cy, kBitmaps.at(IDB_HEADER).height) << id;
    }
}

TEST_F(DialogInstances, PageAreaIsHidden) {
    HWND hArea = GetDlgItem(m_frame.Handle(), IDC_PAGE_AREA);
    ASSERT_TRUE(hArea);
    EXPECT_FALSE(IsWindowVisible(hArea));
}
