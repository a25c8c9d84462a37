// Display contexts: drawing lands on the target surface at the device origin, only inside the
// visible region, under the surface's lock, and the changed area is reported.
#include "gdi/display_dc.h"
#include "gdi/surface.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

using namespace mullion;

TEST(DisplayContext, DrawsAtTheOriginInsideTheVisibleRegionAndReportsChanges) {
    Surface surface(40, 30, 0x000000);
    std::mutex lock;
    surface.set_lock(&lock);
    RECT reported{0, 0, 0, 0};
    bool lock_was_held = false;
    surface.set_change_listener([&](const RECT& r) {
        reported = r;
        // The change is reported before the drawing lets go of the surface. Probed from
        // another thread: a thread may not try a mutex it might own.
        std::thread probe([&] {
            lock_was_held = !lock.try_lock();
            if (!lock_was_held)
                lock.unlock();
        });
        probe.join();
    });
    DisplayTarget target;
    target.surface = &surface;
    target.origin = POINT{10, 5};
    // Visible: the window's 20x20 client area minus a covering window's corner.
    target.visible = Region(RECT{10, 5, 30, 25}).subtracted(Region(RECT{20, 5, 30, 15}));
    HDC dc = create_display_dc(target);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_DC));

    const RECT everything{-100, -100, 100, 100};
    FillRect(dc, &everything, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(surface.pixel(x, y), target.visible.contains(x, y) ? 0xFFFFFFu : 0u)
                << x << "," << y;
    EXPECT_EQ(reported, (RECT{10, 5, 30, 25}));
    EXPECT_TRUE(lock_was_held);

    // Client coordinates are relative to the origin.
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(surface.pixel(10, 5), 0xFF0000u);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 15, 2), CLR_INVALID) << "covered";

    // Retargeting keeps attributes and moves the drawing.
    SetTextColor(dc, RGB(1, 2, 3));
    target.origin = POINT{0, 0};
    target.visible = Region(RECT{0, 0, 5, 5});
    retarget_display_dc(dc, target);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    SetPixel(dc, 1, 1, RGB(0, 255, 0));
    EXPECT_EQ(surface.pixel(1, 1), 0x00FF00u);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 5, 5}));
    DeleteDC(dc);
}

TEST(DisplayContext, BitBltBetweenScreenAreasMovesPixels) {
    Surface surface(20, 10, 0x000000);
    DisplayTarget target;
    target.surface = &surface;
    target.visible = Region(RECT{0, 0, 20, 10});
    HDC dc = create_display_dc(target);
    surface.set_pixel(2, 3, 0x123456);
    ASSERT_TRUE(BitBlt(dc, 10, 0, 5, 5, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(surface.pixel(12, 3), 0x123456u);
    EXPECT_EQ(display_dc_window(dc), nullptr);
    DeleteDC(dc);
}
