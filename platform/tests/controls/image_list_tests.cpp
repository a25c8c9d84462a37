// Image lists: creation and sizes, adding strips of images with and without masks, a mask made
// from a colour (those pixels become transparent), drawing opaque, transparent, with a
// background colour and as a mask, removing images and growing past the initial size.
#include "windows.h"

#include "commctrl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A colour bitmap drawn through a memory DC, released with the object.
class Picture {
public:
    Picture(int width, int height) : m_width(width), m_height(height) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Picture() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    void fill(RECT area, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(m_dc, &area, brush);
        DeleteObject(brush);
    }
    void fill(COLORREF color) { fill(RECT{0, 0, m_width, m_height}, color); }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }
    HDC dc() const { return m_dc; }
    // The bitmap, deselected so an image list can select it.
    HBITMAP release() {
        SelectObject(m_dc, m_previous);
        return m_bitmap;
    }
    void reselect() { SelectObject(m_dc, m_bitmap); }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

// Two 16 x 16 images on magenta: the first with a red square at (4,4)-(12,12), the second with
// a blue bar across rows 6 and 7.
class TwoImageStrip {
public:
    TwoImageStrip() : picture(32, 16) {
        picture.fill(kMagenta);
        picture.fill(RECT{4, 4, 12, 12}, RGB(255, 0, 0));
        picture.fill(RECT{16, 6, 32, 8}, kBlue);
    }
    HBITMAP bitmap() { return picture.release(); }
    Picture picture;
};

class ImageListTest : public testing::Test {
protected:
    void TearDown() override {
        if (list)
            ImageList_Destroy(list);
    }
    HIMAGELIST list = nullptr;
};

TEST_F(ImageListTest, CreationReportsSizeAndRefusesBadArguments) {
    list = ImageList_Create(16, 15, ILC_COLOR | ILC_MASK, 5, 1);
    ASSERT_NE(list, nullptr);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 15);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR, 1, 1), nullptr);
    EXPECT_EQ(ImageList_Create(16, -1, ILC_COLOR, 1, 1), nullptr);
    EXPECT_FALSE(ImageList_GetIconSize(list, nullptr, &cy));
}

TEST_F(ImageListTest, DestroyedListIsRefused) {
    HIMAGELIST gone = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
    ASSERT_TRUE(ImageList_Destroy(gone));
    EXPECT_FALSE(ImageList_Destroy(gone));
    int cx = 0, cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(gone, &cx, &cy));
    EXPECT_EQ(ImageList_GetImageCount(gone), 0);
    // A handle of another kind is not an image list.
    HBRUSH brush = CreateSolidBrush(kBlue);
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(brush)), 0);
    DeleteObject(brush);
}

TEST_F(ImageListTest, AddingAStripAddsOneImagePerImageWidth) {
    list = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
    TwoImageStrip first, second;
    EXPECT_EQ(ImageList_Add(list, first.bitmap(), nullptr), 0);
    EXPECT_EQ(ImageList_Add(list, second.bitmap(), nullptr), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    // A bitmap narrower than one image holds none.
    Picture narrow(10, 16);
    EXPECT_EQ(ImageList_Add(list, narrow.release(), nullptr), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
}

TEST_F(ImageListTest, UnmaskedListDrawsEveryPixel) {
    list = ImageList_Create(16, 16, ILC_COLOR, 2, 1);
    TwoImageStrip strip;
    ASSERT_EQ(ImageList_Add(list, strip.bitmap(), nullptr), 0);
    Picture target(20, 20);
    target.fill(kGreen);
    EXPECT_TRUE(ImageList_Draw(list, 0, target.dc(), 2, 2, ILD_TRANSPARENT));
    EXPECT_EQ(target.at(2, 2), kMagenta);
    EXPECT_EQ(target.at(2 + 5, 2 + 5), RGB(255, 0, 0));
    EXPECT_EQ(target.at(1, 1), kGreen);
    EXPECT_EQ(target.at(18, 18), kGreen);
}

TEST_F(ImageListTest, MaskColourBecomesTransparent) {
    list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 1);
    TwoImageStrip strip;
    ASSERT_EQ(ImageList_AddMasked(list, strip.bitmap(), kMagenta), 0);
    ASSERT_EQ(ImageList_GetImageCount(list), 2);
    for (UINT style : {UINT(ILD_NORMAL), UINT(ILD_TRANSPARENT)}) {
        Picture target(16, 16);
        target.fill(kGreen);
        ASSERT_TRUE(ImageList_Draw(list, 1, target.dc(), 0, 0, style));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(target.at(x, y), y == 6 || y == 7 ? kBlue : kGreen)
                    << "style " << style << " at " << x << "," << y;
    }
}

TEST_F(ImageListTest, BackgroundColourFillsTransparentPixelsOfNormalDrawing) {
    list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 1);
    TwoImageStrip strip;
    ASSERT_EQ(ImageList_AddMasked(list, strip.bitmap(), kMagenta), 0);
    EXPECT_EQ(ImageList_GetBkColor(list), COLORREF(CLR_NONE));
    EXPECT_EQ(ImageList_SetBkColor(list, kWhite), COLORREF(CLR_NONE));
    Picture normal(16, 16), transparent(16, 16);
    normal.fill(kGreen);
    transparent.fill(kGreen);
    ImageList_Draw(list, 0, normal.dc(), 0, 0, ILD_NORMAL);
    ImageList_Draw(list, 0, transparent.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(normal.at(0, 0), kWhite);
    EXPECT_EQ(normal.at(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(transparent.at(0, 0), kGreen);
    EXPECT_EQ(transparent.at(5, 5), RGB(255, 0, 0));
}

TEST_F(ImageListTest, MaskDrawingShowsOpaquePixelsBlack) {
    list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 1);
    TwoImageStrip strip;
    ASSERT_EQ(ImageList_AddMasked(list, strip.bitmap(), kMagenta), 0);
    Picture target(16, 16);
    target.fill(kGreen);
    ImageList_Draw(list, 0, target.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(target.at(5, 5), kBlack);
    EXPECT_EQ(target.at(0, 0), kWhite);
    EXPECT_EQ(target.at(12, 12), kWhite);
}

TEST_F(ImageListTest, ExplicitMaskBitmapMarksTransparentPixels) {
    list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 1, 1);
    Picture image(16, 16);
    image.fill(kBlue);
    // A monochrome mask: 1 (white) is transparent; only the left half stays opaque.
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, mask);
        PatBlt(dc, 0, 0, 16, 16, WHITENESS);
        PatBlt(dc, 0, 0, 8, 16, BLACKNESS);
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    ASSERT_EQ(ImageList_Add(list, image.release(), mask), 0);
    DeleteObject(mask);
    Picture target(16, 16);
    target.fill(kGreen);
    ImageList_Draw(list, 0, target.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(target.at(3, 8), kBlue);
    EXPECT_EQ(target.at(12, 8), kGreen);
}

TEST_F(ImageListTest, GrowingKeepsEarlierImages) {
    list = ImageList_Create(8, 8, ILC_COLOR, 1, 1);
    const COLORREF colors[] = {RGB(10, 20, 30), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                               RGB(90, 90, 90)};
    for (COLORREF color : colors) {
        Picture one(8, 8);
        one.fill(color);
        ImageList_Add(list, one.release(), nullptr);
    }
    ASSERT_EQ(ImageList_GetImageCount(list), 5);
    for (int index = 0; index < 5; ++index) {
        Picture target(8, 8);
        ImageList_Draw(list, index, target.dc(), 0, 0, ILD_NORMAL);
        EXPECT_EQ(target.at(4, 4), colors[index]) << index;
    }
    EXPECT_FALSE(ImageList_Draw(list, 5, nullptr, 0, 0, ILD_NORMAL));
}

TEST_F(ImageListTest, RemovingAnImageMovesTheLaterOnesDown) {
    list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 2, 1);
    TwoImageStrip strip;
    ASSERT_EQ(ImageList_AddMasked(list, strip.bitmap(), kMagenta), 0);
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    Picture target(16, 16);
    target.fill(kGreen);
    ImageList_Draw(list, 0, target.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(target.at(8, 6), kBlue);
    EXPECT_EQ(target.at(8, 2), kGreen);
    EXPECT_FALSE(ImageList_Remove(list, 3));
    EXPECT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

} // namespace
