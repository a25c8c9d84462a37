// Update regions: invalidation, validation, WM_PAINT generation and the erase protocol of
// BeginPaint.
#include "window_test_support.h"

using namespace window_test;

namespace {

class PaintUpdateTest : public WindowTest {
protected:
    // Paints every window that needs it, validating with BeginPaint/EndPaint like an ordinary
    // WM_PAINT handler, and remembers each PAINTSTRUCT.
    void install_painter() {
        set_hook([this](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            paints.push_back({hwnd, ps});
            EndPaint(hwnd, &ps);
            return 0;
        });
    }
    HWND painted_window(int x = 10, int y = 10, int width = 100, int height = 80,
                        HBRUSH background = (HBRUSH)(COLOR_WINDOW + 1)) {
        HWND hwnd =
            create_popup(x, y, width, height, WS_VISIBLE, nullptr, logging_class(0, background));
        pump_messages();
        paints.clear();
        message_log().clear();
        return hwnd;
    }
    struct Paint {
        HWND hwnd;
        PAINTSTRUCT ps;
    };
    std::vector<Paint> paints;
};

TEST_F(PaintUpdateTest, ShowingAWindowPaintsItOnce) {
    install_painter();
    HWND hwnd = create_popup(10, 10, 100, 80, WS_VISIBLE);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].hwnd, hwnd);
    EXPECT_EQ(paints[0].ps.rcPaint.right, 100);
    EXPECT_EQ(paints[0].ps.rcPaint.bottom, 80);
    pump_messages();
    EXPECT_EQ(paints.size(), 1u);
}

TEST_F(PaintUpdateTest, EraseIsDoneByTheClassBrush) {
    install_painter();
    HWND hwnd = painted_window();
    InvalidateRect(hwnd, nullptr, TRUE);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    // DefWindowProc erased with the class brush and answered nonzero: nothing left to erase.
    EXPECT_FALSE(paints[0].ps.fErase);
    EXPECT_TRUE(matches(messages_of(hwnd, true), {{WM_PAINT}, {WM_ERASEBKGND}}));
}

TEST_F(PaintUpdateTest, WithoutABrushTheProgramMustErase) {
    install_painter();
    HWND hwnd = painted_window(10, 10, 100, 80, nullptr);
    InvalidateRect(hwnd, nullptr, TRUE);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_TRUE(paints[0].ps.fErase);
}

TEST_F(PaintUpdateTest, InvalidationWithoutEraseSendsNoEraseBackground) {
    install_painter();
    HWND hwnd = painted_window();
    InvalidateRect(hwnd, nullptr, FALSE);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_FALSE(paints[0].ps.fErase);
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 0u);
}

TEST_F(PaintUpdateTest, UpdateRegionAccumulatesAndEraseSticks) {
    install_painter();
    HWND hwnd = painted_window();
    const RECT first{5, 5, 20, 20};
    const RECT second{30, 10, 40, 50};
    InvalidateRect(hwnd, &first, TRUE);
    InvalidateRect(hwnd, &second, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update.left, 5);
    EXPECT_EQ(update.top, 5);
    EXPECT_EQ(update.right, 40);
    EXPECT_EQ(update.bottom, 50);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(hwnd, region, FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(region, 35, 45));
    EXPECT_FALSE(PtInRegion(region, 10, 30));
    DeleteObject(region);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 1u);
    EXPECT_EQ(paints[0].ps.rcPaint.right, 40);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(PaintUpdateTest, InvalidationIsClippedToTheClientArea) {
    HWND hwnd = painted_window();
    const RECT outside{90, 70, 300, 300};
    InvalidateRect(hwnd, &outside, FALSE);
    RECT update;
    GetUpdateRect(hwnd, &update, FALSE);
    EXPECT_EQ(update.right, 100);
    EXPECT_EQ(update.bottom, 80);
}

TEST_F(PaintUpdateTest, ValidationRemovesPendingPaint) {
    install_painter();
    HWND hwnd = painted_window();
    InvalidateRect(hwnd, nullptr, TRUE);
    const RECT part{0, 0, 50, 80};
    ValidateRect(hwnd, &part);
    RECT update;
    GetUpdateRect(hwnd, &update, FALSE);
    EXPECT_EQ(update.left, 50);
    ValidateRect(hwnd, nullptr);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    pump_messages();
    EXPECT_TRUE(paints.empty());
}

TEST_F(PaintUpdateTest, UpdateWindowPaintsAtOnceOnlyWhenNeeded) {
    install_painter();
    HWND hwnd = painted_window();
    UpdateWindow(hwnd);
    EXPECT_TRUE(paints.empty());
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd); // no message pumping: sent directly
    EXPECT_EQ(paints.size(), 1u);
}

TEST_F(PaintUpdateTest, HiddenWindowsGetNoUpdateRegion) {
    install_painter();
    HWND hwnd = create_popup(10, 10, 50, 50, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    pump_messages();
    EXPECT_TRUE(paints.empty());
}

TEST_F(PaintUpdateTest, ParentsPaintBeforeTheirChildren) {
    install_painter();
    HWND parent = create_popup(10, 10, 200, 200, WS_VISIBLE);
    HWND child = create_child(parent, 10, 10, 50, 50, 1);
    pump_messages();
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].hwnd, parent);
    EXPECT_EQ(paints[1].hwnd, child);
}

TEST_F(PaintUpdateTest, ParentInvalidationReachesChildrenUnlessClipped) {
    HWND parent = painted_window(10, 10, 200, 200);
    HWND child = create_child(parent, 50, 50, 100, 100, 1);
    pump_messages();
    const RECT area{0, 0, 75, 75};
    InvalidateRect(parent, &area, TRUE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 25);
    EXPECT_EQ(update.bottom, 25);
    pump_messages();

    SetWindowLongA(parent, GWL_STYLE, GetWindowLongA(parent, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(parent, &area, TRUE);
    EXPECT_FALSE(GetUpdateRect(child, &update, FALSE));
    // RDW_ALLCHILDREN reaches them anyway; RDW_NOCHILDREN never does.
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    ValidateRect(child, nullptr);
    SetWindowLongA(parent, GWL_STYLE, GetWindowLongA(parent, GWL_STYLE) & ~WS_CLIPCHILDREN);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    EXPECT_FALSE(GetUpdateRect(child, &update, FALSE));
}

TEST_F(PaintUpdateTest, RedrawWindowUpdateNowPaintsWithoutTheQueue) {
    install_painter();
    HWND hwnd = painted_window();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 1u);
}

TEST_F(PaintUpdateTest, EraseNowErasesButLeavesThePaint) {
    install_painter();
    HWND hwnd = painted_window();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    EXPECT_TRUE(paints.empty());
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 1u);
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_FALSE(paints[0].ps.fErase);
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 1u);
}

TEST_F(PaintUpdateTest, InternalPaintWithoutUpdateRegion) {
    install_painter();
    HWND hwnd = painted_window();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INTERNALPAINT);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    pump_messages();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_TRUE(IsRectEmpty(&paints[0].ps.rcPaint));
}

TEST_F(PaintUpdateTest, FramePaintsBeforeTheBackground) {
    HWND hwnd = create_popup(10, 10, 100, 80, WS_VISIBLE | WS_BORDER);
    pump_messages();
    std::vector<Message> painting;
    for (const Message& m : messages_of(hwnd, true)) {
        if (m.message == WM_PAINT || m.message == WM_NCPAINT || m.message == WM_ERASEBKGND)
            painting.push_back(m);
    }
    EXPECT_TRUE(matches(painting, {{WM_PAINT}, {WM_NCPAINT, CheckWParam, 1}, {WM_ERASEBKGND}}));
    // Changing the text repaints the frame only: the client area has nothing to update.
    message_log().clear();
    SetWindowTextA(hwnd, "new title");
    pump_messages();
    EXPECT_LE(count_of(messages_of(hwnd, true), WM_NCPAINT), 1u);
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_ERASEBKGND), 0u);
}

TEST_F(PaintUpdateTest, DefaultPaintValidates) {
    // No painter hook: DefWindowProc's WM_PAINT runs BeginPaint/EndPaint.
    HWND hwnd = painted_window();
    InvalidateRect(hwnd, nullptr, TRUE);
    pump_messages();
    EXPECT_EQ(count_of(messages_of(hwnd, true), WM_PAINT), 1u);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

} // namespace
