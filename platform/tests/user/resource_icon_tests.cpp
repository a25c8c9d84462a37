// Icons, cursors and bitmaps: the image an icon directory offers for a size, the pixels and
// mask it becomes, bitmaps from resources and files, and the system icons and cursors.
#include "kernel/module.h"
#include "user/icon_loader.h"
#include "user/resource.h"
#include "user/system_icons.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

struct IconPicture {
    int width = 0;
    int height = 0;
    COLORREF color_at(int x, int y) const { return colors[size_t(y * width + x)]; }
    bool transparent_at(int x, int y) const { return mask[size_t(y * width + x)]; }
    std::vector<COLORREF> colors;
    std::vector<bool> mask;
    bool is_icon = false;
    POINT hot_spot{};
};

IconPicture picture_of(HICON icon) {
    IconPicture picture;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return picture;
    picture.is_icon = info.fIcon != FALSE;
    picture.hot_spot = {LONG(info.xHotspot), LONG(info.yHotspot)};
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    picture.width = bitmap.bmWidth;
    picture.height = bitmap.bmHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, info.hbmColor);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.colors.push_back(GetPixel(dc, x, y));
    SelectObject(dc, info.hbmMask);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.mask.push_back(GetPixel(dc, x, y) == RGB(255, 255, 255));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

TEST(IconDirectory, ChoosesTheClosestSizeAndThenTheMostColours) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_TEST), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, group)));
    const std::span<const uint8_t> directory(bytes, SizeofResource(module, group));
    // The test icon holds 16x16 4-bpp, 32x32 4-bpp, 32x32 8-bpp and 48x48 8-bpp images, in
    // that order, numbered from 1 by the resource compiler.
    const WORD for_32 = mullion::choose_icon_image(directory, 32, 32);
    const WORD for_16 = mullion::choose_icon_image(directory, 16, 16);
    const WORD for_48 = mullion::choose_icon_image(directory, 48, 48);
    EXPECT_NE(for_32, for_16);
    EXPECT_NE(for_32, for_48);
    const auto image = mullion::decode_icon_image(
        mullion::find_resource_data(module, MAKEINTRESOURCEA(for_32), RT_ICON));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    // The 8-bpp image: red above, blue below, a transparent left column.
    EXPECT_EQ(image->colors[size_t(5 * 32 + 5)], 0xFF0000u);
    EXPECT_EQ(image->colors[size_t(25 * 32 + 5)], 0x0000FFu);
    EXPECT_TRUE(image->transparent[size_t(10 * 32)]);
    EXPECT_FALSE(image->transparent[size_t(10 * 32 + 1)]);

    const std::vector<uint8_t> empty;
    EXPECT_EQ(mullion::choose_icon_image(empty, 32, 32), 0);
    EXPECT_FALSE(mullion::decode_icon_image(std::span<const uint8_t>(bytes, 20)));
}

TEST(LoadIcon, BuildsTheIconFromTheChosenImageAndSharesIt) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(IDI_TEST)), icon);
    const IconPicture picture = picture_of(icon);
    ASSERT_EQ(picture.width, 32);
    EXPECT_TRUE(picture.is_icon);
    EXPECT_EQ(picture.color_at(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(picture.color_at(5, 25), RGB(0, 0, 255));
    EXPECT_TRUE(picture.transparent_at(0, 10));
    EXPECT_FALSE(picture.transparent_at(1, 10));

    // A small icon comes from the 16x16 image: green.
    HANDLE small = LoadImageA(instance, MAKEINTRESOURCEA(IDI_TEST), IMAGE_ICON, 16, 16, 0);
    ASSERT_NE(small, nullptr);
    const IconPicture small_picture = picture_of(static_cast<HICON>(small));
    EXPECT_EQ(small_picture.width, 16);
    EXPECT_EQ(small_picture.color_at(8, 8), RGB(0, 255, 0));
    DestroyIcon(static_cast<HICON>(small));

    EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(9999)), nullptr);
}

TEST(LoadBitmap, ResourceAndFileBitmapsKeepTheirPixels) {
    // The test bitmap is 5 x 3 with colour (x + y) % 5 of red, green, blue, white, black.
    const COLORREF palette[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255),
                                RGB(0, 0, 0)};
    HBITMAP from_resource = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TEST));
    ASSERT_NE(from_resource, nullptr);
    BITMAP description{};
    GetObjectA(from_resource, sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 5);
    EXPECT_EQ(description.bmHeight, 3);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, from_resource);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), palette[(x + y) % 5]) << x << "," << y;
    SelectObject(dc, previous);
    DeleteObject(from_resource);

    // The same picture as a .bmp file.
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(IDB_TEST), RT_BITMAP);
    const auto* dib = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
    const DWORD dib_size = SizeofResource(module, info);
    const std::string path = testing::TempDir() + "mullion_resource_test.bmp";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const uint32_t file_size = 14 + dib_size;
    const uint32_t bits_offset = 14 + 40;
    const uint8_t header[14] = {'B',
                                'M',
                                uint8_t(file_size),
                                uint8_t(file_size >> 8),
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                uint8_t(bits_offset),
                                0,
                                0,
                                0};
    std::fwrite(header, 1, sizeof header, file);
    std::fwrite(dib, 1, dib_size, file);
    std::fclose(file);
    auto from_file = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(from_file, nullptr);
    previous = SelectObject(dc, from_file);
    EXPECT_EQ(GetPixel(dc, 4, 2), palette[(4 + 2) % 5]);
    SelectObject(dc, previous);
    DeleteObject(from_file);
    DeleteDC(dc);
    std::remove(path.c_str());

    // Damaged data makes no bitmap.
    std::vector<uint8_t> truncated(dib, dib + 44);
    EXPECT_EQ(mullion::bitmap_from_packed_dib(truncated, false), nullptr);
}

TEST(SystemImages, SystemIconsAndCursorsAreSharedAndKeepTheirIds) {
    HICON hand = LoadIconA(nullptr, IDI_HAND);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_ERROR), hand);
    const IconPicture error = picture_of(hand);
    ASSERT_EQ(error.width, 32);
    // A red disc: its centre region is red or the white cross, the corners are transparent.
    EXPECT_TRUE(error.transparent_at(0, 0));
    EXPECT_EQ(error.color_at(16, 5), RGB(255, 0, 0));
    for (LPCSTR id : {IDI_APPLICATION, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK})
        EXPECT_NE(LoadIconA(nullptr, id), nullptr);

    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(mullion::system_cursor_id(arrow), 32512);
    EXPECT_EQ(mullion::system_cursor_id(LoadCursorA(nullptr, IDC_SIZEWE)), 32644);
    EXPECT_EQ(mullion::system_cursor_id(hand), 0);
    const IconPicture cursor = picture_of(LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_FALSE(cursor.is_icon);
    EXPECT_EQ(cursor.hot_spot.x, 15);
    EXPECT_EQ(cursor.hot_spot.y, 15);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

} // namespace
