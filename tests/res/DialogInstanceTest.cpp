// tests/res/DialogInstanceTest.cpp: the dialog manager builds every template of this
// program's linked resources, and the pictures keep their pixel sizes.
#include <windows.h>

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

// The picture control of a page: the first child (id 1001 or the anonymous -1).
HWND Picture(HWND hPage) {
    return GetWindow(hPage, GW_CHILD);
}

class DialogInstances : public testing::Test {
protected:
    static void SetUpTestSuite() { InitCommonControls(); }
    void SetUp() override { ASSERT_TRUE(m_frame.Handle()) << "dialog 102"; }
    Instance m_frame{102, nullptr};
};

} // namespace

TEST_F(DialogInstances, EveryPageIsBuilt) {
    for (WORD id : {129, 136, 139, 140, 141, 142}) {
        Instance page(id, m_frame.Handle());
        EXPECT_TRUE(page.Handle()) << "page " << id;
    }
    Instance about(100, m_frame.Handle());
    ASSERT_TRUE(about.Handle());
    HWND hIcon = GetWindow(about.Handle(), GW_CHILD);
    EXPECT_TRUE(SendMessageW(hIcon, STM_GETICON, 0, 0)) << "icon 128 in the About box";
}

TEST_F(DialogInstances, SidebarKeepsItsPixelSize) {
    for (WORD id : {129, 142}) {
        Instance page(id, m_frame.Handle());
        ASSERT_TRUE(page.Handle()) << id;
        HWND hPicture = Picture(page.Handle());
        EXPECT_TRUE(SendMessageW(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) << id;
        SIZE size = WindowSize(hPicture);
        EXPECT_EQ(size.cx, 161) << id;
        EXPECT_EQ(size.cy, 313) << id;
    }
}

TEST_F(DialogInstances, HeaderBandKeepsItsPixelSize) {
    for (WORD id : {136, 139, 140, 141}) {
        Instance page(id, m_frame.Handle());
        ASSERT_TRUE(page.Handle()) << id;
        HWND hPicture = GetDlgItem(page.Handle(), 1001);
        EXPECT_TRUE(SendMessageW(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) << id;
        SIZE size = WindowSize(hPicture);
        EXPECT_EQ(size.cx, 498) << id;
        EXPECT_EQ(size.cy, 58) << id;
    }
}

TEST_F(DialogInstances, PageAreaIsHidden) {
    HWND hArea = GetDlgItem(m_frame.Handle(), 1000);
    ASSERT_TRUE(hArea);
    EXPECT_FALSE(IsWindowVisible(hArea));
}
