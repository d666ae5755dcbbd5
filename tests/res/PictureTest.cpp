// tests/res/PictureTest.cpp: the sidebar and header bitmaps and the icon group.
#include "ExpectedResources.h"
#include "ResourceModule.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>

namespace {

BITMAPINFOHEADER HeaderOf(std::string_view data) {
    BITMAPINFOHEADER h{};
    if (data.size() >= sizeof(h))
        std::memcpy(&h, data.data(), sizeof(h));
    return h;
}

void ExpectBitmap(WORD id) {
    SCOPED_TRACE(testing::Message() << "bitmap " << id);
    const auto [width, height, pixelsPerMetre] = kBitmaps.at(id);
    auto data = TestModule().Data(RT_BITMAP, MAKEINTRESOURCEW(id), kGerman);
    ASSERT_TRUE(data);
    BITMAPINFOHEADER h = HeaderOf(*data);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, width);
    EXPECT_EQ(h.biHeight, height) << "positive: stored bottom-up";
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biXPelsPerMeter, pixelsPerMetre);
    EXPECT_EQ(h.biYPelsPerMeter, pixelsPerMetre);
    EXPECT_GE(data->size(), 40u + ((width * 3 + 3) & ~3) * height);

    // What the static control gets: SS_REALSIZEIMAGE shows the bitmap at this size.
    HANDLE image = LoadImageW(TestModule().Handle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    ASSERT_TRUE(image);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(image, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, width);
    EXPECT_EQ(dib.dsBm.bmHeight, height);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(image);
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

} // namespace

TEST(Pictures, Sidebar) {
    ExpectBitmap(IDB_SIDEBAR);
}

TEST(Pictures, HeaderBand) {
    ExpectBitmap(IDB_HEADER);
}

TEST(Pictures, IconGroupHoldsSixDibImages) {
    auto group = TestModule().Data(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_SETUP), kGerman);
    ASSERT_TRUE(group);
    WORD head[3] = {};
    ASSERT_GE(group->size(), sizeof(head));
    std::memcpy(head, group->data(), sizeof(head));
    EXPECT_EQ(head[1], 1) << "icon, not cursor";
    ASSERT_EQ(head[2], 6);
    ASSERT_GE(group->size(), sizeof(head) + 6 * sizeof(GroupEntry));
    std::set<std::pair<int, int>> found;
    for (int i = 0; i < 6; ++i) {
        GroupEntry e;
        std::memcpy(&e, group->data() + sizeof(head) + i * sizeof(e), sizeof(e));
        SCOPED_TRACE(testing::Message() << "icon image " << e.id);
        auto image = TestModule().Data(RT_ICON, MAKEINTRESOURCEW(e.id), kGerman);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->size(), e.bytes);
        EXPECT_NE(image->substr(0, 4), std::string_view("\x89PNG", 4));
        BITMAPINFOHEADER h = HeaderOf(*image);
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, e.width);
        EXPECT_EQ(h.biHeight, 2 * e.height) << "colour and mask";
        EXPECT_EQ(h.biBitCount, e.bitCount);
        EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
        found.insert({e.width, e.bitCount});

        HICON icon = CreateIconFromResourceEx(
            reinterpret_cast<PBYTE>(const_cast<char*>(image->data())), image->size(), TRUE,
            0x00030000, e.width, e.height, LR_DEFAULTCOLOR);
        EXPECT_TRUE(icon) << "Windows refuses the image";
        if (icon)
            DestroyIcon(icon);
    }
    std::set<std::pair<int, int>> expected = {{48, 8},  {32, 8},  {16, 8},
                                              {48, 32}, {32, 32}, {16, 32}};
    EXPECT_EQ(found, expected);
}

TEST(Pictures, IconLoadsAtEachSize) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageW(
            TestModule().Handle(), MAKEINTRESOURCEW(IDI_SETUP), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}
