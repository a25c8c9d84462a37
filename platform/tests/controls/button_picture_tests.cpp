// Button pictures and colours: BS_BITMAP and BS_ICON buttons centre their picture and etch it
// when disabled; check boxes and radio buttons paint with the brush, text colour and background
// mode their parent chooses in WM_CTLCOLORSTATIC.
#include "windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kDark = RGB(0, 128, 0);
const COLORREF kLight = RGB(192, 192, 192);

// What the parent answers the colour queries with.
struct ParentColours {
    HBRUSH brush = nullptr;
    COLORREF text = RGB(255, 0, 0);
    COLORREF background = RGB(0, 0, 255);
    int mode = TRANSPARENT;
};

ParentColours& parent_colours() {
    static ParentColours colours;
    return colours;
}

LRESULT CALLBACK picture_parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CTLCOLORSTATIC && parent_colours().brush) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, parent_colours().text);
        SetBkColor(dc, parent_colours().background);
        SetBkMode(dc, parent_colours().mode);
        return reinterpret_cast<LRESULT>(parent_colours().brush);
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A 32-bpp picture: kLight everywhere but a kDark block from (2, 3) to (6, 8).
HBITMAP make_picture(int width, int height) {
    std::vector<DWORD> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = (x >= 2 && x < 6 && y >= 3 && y < 8) ? kDark : kLight;
            pixels[size_t(y) * size_t(width) + size_t(x)] =
                DWORD(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    return CreateBitmap(width, height, 1, 32, pixels.data());
}

bool in_block(int x, int y) {
    return x >= 2 && x < 6 && y >= 3 && y < 8;
}

class ButtonPictureTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = picture_parent_proc;
        description.lpszClassName = "ButtonPictureTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, description.lpszClassName, "Pictures", WS_POPUP | WS_VISIBLE, 0,
                                 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        parent_colours() = ParentColours{};
    }
    void TearDown() override {
        DestroyWindow(parent);
        if (parent_colours().brush)
            DeleteObject(parent_colours().brush);
        parent_colours() = ParentColours{};
        for (HGDIOBJ object : owned)
            DeleteObject(object);
    }

    HWND create(DWORD style, const char* text = "", int width = 60, int height = 40) {
        HWND button =
            CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                            parent, reinterpret_cast<HMENU>(UINT_PTR(5)), nullptr, nullptr);
        EXPECT_NE(button, nullptr);
        return button;
    }

    // The button painted into a memory bitmap through WM_PRINTCLIENT; pixels as COLORREFs.
    std::vector<COLORREF> paint(HWND button, int width, int height) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP target = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ previous = SelectObject(memory, target);
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        std::vector<COLORREF> pixels(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[size_t(y) * size_t(width) + size_t(x)] = GetPixel(memory, x, y);
        SelectObject(memory, previous);
        DeleteObject(target);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return pixels;
    }

    HWND parent = nullptr;
    std::vector<HGDIOBJ> owned;
};

// Where a picture's top-left corner lands: the first kDark pixel minus the block's offset.
POINT picture_origin(const std::vector<COLORREF>& pixels, int width) {
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] == kDark)
            return {int(i % size_t(width)) - 2, int(i / size_t(width)) - 3};
    return {-100, -100};
}

TEST_F(ButtonPictureTest, BitmapIsCentredAndSwappedByBmSetImage) {
    HWND button = create(BS_BITMAP);
    HBITMAP picture = make_picture(10, 12);
    owned.push_back(picture);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)),
              0);
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(picture));
    const auto pixels = paint(button, 60, 40);
    const POINT origin = picture_origin(pixels, 60);
    // Centred: equal margins on both sides, to within the odd pixel.
    EXPECT_NEAR(origin.x, 60 - (origin.x + 10), 1);
    EXPECT_NEAR(origin.y, 40 - (origin.y + 12), 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(pixels[size_t(origin.y + y) * 60 + size_t(origin.x + x)],
                      in_block(x, y) ? kDark : kLight)
                << x << "," << y;
}

TEST_F(ButtonPictureTest, DisabledBitmapIsEtchedInShadowOverHighlight) {
    HWND button = create(BS_BITMAP);
    HBITMAP picture = make_picture(10, 12);
    owned.push_back(picture);
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    const POINT origin = picture_origin(paint(button, 60, 40), 60);
    EnableWindow(button, FALSE);
    const auto pixels = paint(button, 60, 40);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
    for (int y = 0; y <= 12; ++y)
        for (int x = 0; x <= 10; ++x) {
            const COLORREF pixel = pixels[size_t(origin.y + y) * 60 + size_t(origin.x + x)];
            if (in_block(x, y))
                EXPECT_EQ(pixel, shadow) << x << "," << y;
            else if (in_block(x - 1, y - 1))
                EXPECT_EQ(pixel, highlight) << x << "," << y;
            else
                EXPECT_TRUE(pixel != shadow && pixel != kDark && pixel != highlight)
                    << x << "," << y;
        }
}

TEST_F(ButtonPictureTest, DisabledIconIsEtchedAndKeepsNoColourOfItsOwn) {
    HWND button = create(BS_ICON);
    // A 16 x 16 icon: an opaque dark block in a transparent square.
    std::vector<DWORD> colour(16 * 16, 0);
    std::vector<BYTE> mask(16 * 2, 0xFF);
    for (int y = 4; y < 10; ++y) {
        for (int x = 3; x < 9; ++x)
            colour[size_t(y) * 16 + size_t(x)] = 0x008000;
        // Columns 3 to 8 opaque: mask bits 0, the leftmost pixel in the high bit.
        mask[size_t(y) * 2] = 0xE0;
        mask[size_t(y) * 2 + 1] = 0x7F;
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(16, 16, 1, 32, colour.data());
    info.hbmMask = CreateBitmap(16, 16, 1, 1, mask.data());
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ASSERT_NE(icon, nullptr);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));

    struct Counts {
        int green = 0, shadow = 0, highlight = 0;
    };
    // The button's own 3-D edges use the shadow and highlight colours too: compare the
    // disabled picture with the enabled one.
    const auto count = [&] {
        Counts counts;
        for (COLORREF pixel : paint(button, 60, 40)) {
            counts.green += pixel == kDark;
            counts.shadow += pixel == GetSysColor(COLOR_3DSHADOW);
            counts.highlight += pixel == GetSysColor(COLOR_3DHILIGHT);
        }
        return counts;
    };
    const Counts enabled = count();
    EXPECT_EQ(enabled.green, 36) << "the enabled icon shows its 6 x 6 block";
    EnableWindow(button, FALSE);
    const Counts disabled = count();
    EXPECT_EQ(disabled.green, 0);
    EXPECT_EQ(disabled.shadow - enabled.shadow, 36) << "the block in the shadow colour";
    EXPECT_EQ(disabled.highlight - enabled.highlight, 11)
        << "the highlight shows below and right of the shadow block";
    DestroyIcon(icon);
}

TEST_F(ButtonPictureTest, CheckBoxPaintsWithTheParentsBrushAndTextColour) {
    parent_colours().brush = CreateSolidBrush(RGB(0, 255, 255));
    HWND check = create(BS_AUTOCHECKBOX, "WWWW", 100, 24);
    auto pixels = paint(check, 100, 24);
    int text = 0, background_colour = 0;
    for (COLORREF pixel : pixels) {
        text += pixel == RGB(255, 0, 0);
        background_colour += pixel == RGB(0, 0, 255);
    }
    EXPECT_EQ(pixels[size_t(23) * 100 + 99], RGB(0, 255, 255)) << "filled with the brush";
    EXPECT_GT(text, 0) << "the label in the parent's text colour";
    EXPECT_EQ(background_colour, 0) << "transparent mode: no text background";

    // An opaque mode shows the parent's background colour behind the label.
    parent_colours().mode = OPAQUE;
    background_colour = 0;
    for (COLORREF pixel : paint(check, 100, 24))
        background_colour += pixel == RGB(0, 0, 255);
    EXPECT_GT(background_colour, 0);
}

TEST_F(ButtonPictureTest, RadioButtonAndGroupBoxAskForStaticColoursToo) {
    parent_colours().brush = CreateSolidBrush(RGB(0, 255, 255));
    HWND radio = create(BS_AUTORADIOBUTTON, "WWWW", 100, 24);
    HWND group = create(BS_GROUPBOX, "WWWW", 100, 40);
    int text = 0;
    const auto radio_pixels = paint(radio, 100, 24);
    for (COLORREF pixel : radio_pixels)
        text += pixel == RGB(255, 0, 0);
    EXPECT_GT(text, 0);
    EXPECT_EQ(radio_pixels[size_t(23) * 100 + 99], RGB(0, 255, 255));
    text = 0;
    for (COLORREF pixel : paint(group, 100, 40))
        text += pixel == RGB(255, 0, 0);
    EXPECT_GT(text, 0) << "the group's caption in the parent's text colour";
}

TEST(SysColorBrush, IsASolidBrushOfTheSystemColour) {
    for (int index : {COLOR_BTNFACE, COLOR_3DSHADOW, COLOR_3DHILIGHT, COLOR_WINDOW}) {
        HBRUSH brush = GetSysColorBrush(index);
        ASSERT_NE(brush, nullptr) << index;
        LOGBRUSH description{};
        ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
        EXPECT_EQ(description.lbStyle, UINT(BS_SOLID));
        EXPECT_EQ(description.lbColor, GetSysColor(index)) << index;
        EXPECT_EQ(GetSysColorBrush(index), brush) << "one shared brush per colour";
    }
}

} // namespace
