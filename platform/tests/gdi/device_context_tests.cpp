// Device context state: saving and restoring, objects, mapping modes, clipping, capabilities.
#include "gdi_test_canvas.h"

#include "display/screen.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

POINT to_device(HDC dc, int x, int y) {
    POINT p{x, y};
    LPtoDP(dc, &p, 1);
    return p;
}

} // namespace

TEST(SaveAndRestore, LevelsAbsoluteAndRelative) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    SetTextColor(dc, RGB(1, 0, 0));
    EXPECT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, RGB(2, 0, 0));
    SetMapMode(dc, MM_LOMETRIC);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(3, 0, 0));
    EXPECT_EQ(SaveDC(dc), 3);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), RGB(3, 0, 0));
    EXPECT_TRUE(RestoreDC(dc, 1)) << "restoring level 1 drops the later saves";
    EXPECT_EQ(GetTextColor(dc), RGB(1, 0, 0));
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_FALSE(RestoreDC(dc, 1)) << "nothing is saved any more";
    EXPECT_FALSE(RestoreDC(dc, -1));
}

TEST(Attributes, SettersReturnThePreviousValue) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), white);
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), black);
    EXPECT_EQ(SetTextAlign(dc, TA_BASELINE | TA_CENTER), UINT(TA_LEFT | TA_TOP));
    EXPECT_EQ(GetTextAlign(dc), UINT(TA_BASELINE | TA_CENTER));
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    POINT origin{};
    SetBrushOrgEx(dc, 3, 4, nullptr);
    EXPECT_TRUE(SetBrushOrgEx(dc, 5, 6, &origin));
    EXPECT_EQ(origin.x, 3);
    GetBrushOrgEx(dc, &origin);
    EXPECT_EQ(origin.y, 6);
    EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(0x1234), 0), CLR_INVALID) << "bad handle";
}

TEST(Objects, SelectReturnsPreviousAndStockObjectsSurviveDeletion) {
    TestCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    HPEN pen = CreatePen(PS_DASH, 1, RGB(9, 8, 7));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_PEN)), pen);

    LOGPEN logpen{};
    ASSERT_EQ(GetObjectA(pen, sizeof(logpen), &logpen), int(sizeof(LOGPEN)));
    EXPECT_EQ(logpen.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(logpen.lopnColor, RGB(9, 8, 7));
    LOGBRUSH logbrush{};
    ASSERT_EQ(GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof(logbrush), &logbrush),
              int(sizeof(LOGBRUSH)));
    EXPECT_EQ(logbrush.lbStyle, UINT(BS_SOLID));
    EXPECT_EQ(logbrush.lbColor, RGB(192, 192, 192));
    EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), DWORD(OBJ_PAL));

    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u) << "the handle is gone";
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), DWORD(OBJ_BRUSH));
}

TEST(Objects, DeletingASelectedObjectLeavesTheContextUsable) {
    TestCanvas canvas(6, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 200, 0));
    SelectObject(canvas.dc(), pen);
    DeleteObject(pen);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 6, 0);
    EXPECT_EQ(canvas.at(3, 0), RGB(0, 200, 0));
}

TEST(MappingModes, FixedScalesAtNinetySixPixelsPerInchWithYUp) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    struct Case {
        int mode, units_per_inch;
    };
    for (const Case c : {Case{MM_LOMETRIC, 254}, Case{MM_HIMETRIC, 2540}, Case{MM_LOENGLISH, 100},
                         Case{MM_HIENGLISH, 1000}, Case{MM_TWIPS, 1440}}) {
        SetMapMode(dc, c.mode);
        // One inch right and one inch down (negative y) is 96 pixels each way.
        const POINT p = to_device(dc, c.units_per_inch, -c.units_per_inch);
        EXPECT_EQ(p.x, 96) << c.mode;
        EXPECT_EQ(p.y, 96) << c.mode;
        const POINT half = to_device(dc, c.units_per_inch / 2, c.units_per_inch / 2);
        EXPECT_EQ(half.x, 48) << c.mode;
        EXPECT_EQ(half.y, -48) << c.mode;
        POINT back{96, 96};
        DPtoLP(dc, &back, 1);
        EXPECT_EQ(back.x, c.units_per_inch) << c.mode;
        EXPECT_EQ(back.y, -c.units_per_inch) << c.mode;
    }
}

TEST(MappingModes, AnisotropicUsesOriginsAndExtents) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 200, -50, nullptr);
    SetWindowOrgEx(dc, 10, 20, nullptr);
    SetViewportOrgEx(dc, 5, 7, nullptr);
    // Dx = (Lx - WOx) * VEx / WEx + VOx
    const POINT p = to_device(dc, 60, 40);
    EXPECT_EQ(p.x, (60 - 10) * 200 / 100 + 5);
    EXPECT_EQ(p.y, (40 - 20) * -50 / 100 + 7);
    OffsetViewportOrgEx(dc, 1, 1, nullptr);
    OffsetWindowOrgEx(dc, -10, 0, nullptr);
    const POINT q = to_device(dc, 60, 40);
    EXPECT_EQ(q.x, (60 - 0) * 2 + 6);
    SIZE extent{};
    GetViewportExtEx(dc, &extent);
    EXPECT_EQ(extent.cx, 200);
    EXPECT_EQ(extent.cy, -50);
}

TEST(MappingModes, IsotropicKeepsUnitsSquareAndTextIgnoresExtents) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 200, -50, nullptr);
    SIZE extent{};
    GetViewportExtEx(dc, &extent);
    // The smaller scale (50 / 100) wins on both axes.
    EXPECT_EQ(extent.cx, 50);
    EXPECT_EQ(extent.cy, -50);

    SetMapMode(dc, MM_TEXT);
    EXPECT_TRUE(SetWindowExtEx(dc, 5, 5, nullptr));
    GetWindowExtEx(dc, &extent);
    EXPECT_EQ(extent.cx, 1) << "MM_TEXT ignores extents";
    const POINT p = to_device(dc, 7, 9);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
}

TEST(MappingModes, DrawingIsMapped) {
    TestCanvas canvas(20, 20);
    SetViewportOrgEx(canvas.dc(), 5, 5, nullptr);
    const RECT r{0, 0, 3, 3};
    FillRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.at(5, 5), black);
    EXPECT_EQ(canvas.at(7, 7), black);
    EXPECT_EQ(canvas.at(8, 8), white);
    EXPECT_EQ(canvas.at(4, 4), white);
    // y up: a rectangle given bottom-up is normalized.
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
    SetMapMode(canvas.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.dc(), 1, 1, nullptr);
    SetViewportExtEx(canvas.dc(), 2, -2, nullptr);
    SetViewportOrgEx(canvas.dc(), 0, 20, nullptr);
    const RECT up{1, 1, 3, 3};
    FillRect(canvas.dc(), &up, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(canvas.at(2, 14), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(5, 17), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(6, 17), white);
}

TEST(Clipping, ClipRectanglesAndRegionsLimitDrawing) {
    TestCanvas canvas(20, 20);
    HDC dc = canvas.dc();
    EXPECT_EQ(IntersectClipRect(dc, 2, 2, 12, 12), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 5, 5, 8, 8), COMPLEXREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{2, 2, 12, 12}));
    EXPECT_TRUE(PtVisible(dc, 3, 3));
    EXPECT_FALSE(PtVisible(dc, 6, 6));
    const RECT hole{5, 5, 8, 8}, partly{0, 0, 3, 3};
    EXPECT_FALSE(RectVisible(dc, &hole));
    EXPECT_TRUE(RectVisible(dc, &partly));
    const RECT all{0, 0, 20, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool in =
                x >= 2 && x < 12 && y >= 2 && y < 12 && !(x >= 5 && x < 8 && y >= 5 && y < 8);
            ASSERT_EQ(canvas.at(x, y), in ? black : white) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID) << "outside the clip region";

    // A selected region is in device units, whatever the viewport origin.
    SetViewportOrgEx(dc, 4, 4, nullptr);
    HRGN region = CreateRectRgn(15, 15, 18, 18);
    EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
    SetRectRgn(region, 0, 0, 1, 1); // the context keeps its own copy
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{11, 11, 14, 14})) << "clip box is logical";
    EXPECT_EQ(ExtSelectClipRgn(dc, region, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtVisible(dc, -4, -4));
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_TRUE(PtVisible(dc, 0, 0));
    DeleteObject(region);
}

TEST(Clipping, SelectingARegionObjectSetsTheClipRegion) {
    TestCanvas canvas(10, 10);
    HRGN region = CreateRectRgn(2, 2, 4, 4);
    EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(canvas.dc(), region)), SIMPLEREGION);
    EXPECT_TRUE(PtVisible(canvas.dc(), 3, 3));
    EXPECT_FALSE(PtVisible(canvas.dc(), 5, 5));
    DeleteObject(region);
    EXPECT_TRUE(PtVisible(canvas.dc(), 3, 3)) << "the context keeps its own copy";
}

TEST(Clipping, SaveDCKeepsTheClipRegion) {
    TestCanvas canvas(10, 10);
    HDC dc = canvas.dc();
    SaveDC(dc);
    IntersectClipRect(dc, 0, 0, 2, 2);
    EXPECT_FALSE(PtVisible(dc, 5, 5));
    RestoreDC(dc, -1);
    EXPECT_TRUE(PtVisible(dc, 5, 5));
}

TEST(DeviceCaps, DescribeTheScreen) {
    TestCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    const mullion::Screen& screen = mullion::Screen::instance();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), screen.width());
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), screen.height());
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), screen.bits_per_pixel());
    EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASDISPLAY);
    // Millimetres at 96 pixels per inch: pixels * 25.4 / 96.
    EXPECT_NEAR(GetDeviceCaps(dc, HORZSIZE), screen.width() * 25.4 / 96, 0.5);
    const int raster = GetDeviceCaps(dc, RASTERCAPS);
    EXPECT_TRUE(raster & RC_BITBLT);
    EXPECT_TRUE(raster & RC_STRETCHBLT);
    EXPECT_TRUE(raster & RC_DI_BITMAP);
    EXPECT_EQ((raster & RC_PALETTE) != 0, screen.bits_per_pixel() == 8);
}
