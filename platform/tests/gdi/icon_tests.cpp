// Icons: drawn as the AND mask, then the colour image XORed on top.
#include "gdi_test_canvas.h"

namespace {

constexpr COLORREF background = RGB(0x40, 0x80, 0xC0);

} // namespace

TEST(Icons, DrawIconAppliesTheMaskThenTheImage) {
    // Mask (1 = keep the screen): row 0 = 1 0, row 1 = 1 0.
    const uint8_t mask_bits[4] = {0x80, 0x00, 0x80, 0x00};
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, mask_bits);
    TestCanvas image(2, 2);
    SetPixel(image.dc(), 0, 0, RGB(0, 0, 0));       // transparent: screen kept
    SetPixel(image.dc(), 1, 0, RGB(255, 0, 0));     // opaque red
    SetPixel(image.dc(), 0, 1, RGB(255, 255, 255)); // inverts the screen
    SetPixel(image.dc(), 1, 1, RGB(0, 0, 0));       // opaque black
    ICONINFO info{TRUE, 0, 0, mask, image.bitmap()};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask); // the icon keeps copies

    TestCanvas canvas(4, 4, background);
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    ASSERT_TRUE(DrawIcon(canvas.dc(), 1, 1, icon));
    EXPECT_EQ(canvas.at(1, 1), background);
    EXPECT_EQ(canvas.at(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(1, 2), RGB(0xBF, 0x7F, 0x3F));
    EXPECT_EQ(canvas.at(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(0, 0), background);
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3)) << "colours restored";

    ICONINFO copy{};
    ASSERT_TRUE(GetIconInfo(icon, &copy));
    EXPECT_TRUE(copy.fIcon);
    BITMAP bm{};
    GetObjectA(copy.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 2);
    DeleteObject(copy.hbmMask);
    DeleteObject(copy.hbmColor);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}

TEST(Icons, MonochromeIconKeepsBothHalvesInTheMask) {
    // 2x1 icon: AND row then XOR row. AND = 1 0, XOR = 1 1.
    const uint8_t bits[4] = {0x80, 0x00, 0xC0, 0x00};
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, bits);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    TestCanvas canvas(2, 1, background);
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), RGB(0xBF, 0x7F, 0x3F)) << "kept then inverted";
    EXPECT_EQ(canvas.at(1, 0), RGB(255, 255, 255)) << "cleared then set";
    // DI_MASK alone applies only the AND mask.
    TestCanvas masked(2, 1, background);
    DrawIconEx(masked.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_MASK);
    EXPECT_EQ(masked.at(0, 0), background);
    EXPECT_EQ(masked.at(1, 0), RGB(0, 0, 0));
    DestroyIcon(icon);
    DeleteObject(mask);
}

TEST(Icons, DrawIconExStretchesToTheRequestedSize) {
    const uint8_t mask_bits[2] = {0x00, 0x00};
    HBITMAP mask = CreateBitmap(1, 1, 1, 1, mask_bits);
    TestCanvas image(1, 1, RGB(9, 9, 9));
    ICONINFO info{TRUE, 0, 0, mask, image.bitmap()};
    HICON icon = CreateIconIndirect(&info);
    TestCanvas canvas(5, 5);
    DrawIconEx(canvas.dc(), 1, 1, icon, 3, 2, 0, nullptr, DI_NORMAL);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(canvas.at(x, y),
                      x >= 1 && x < 4 && y >= 1 && y < 3 ? RGB(9, 9, 9) : RGB(255, 255, 255));
    DestroyIcon(icon);
    DeleteObject(mask);
}
