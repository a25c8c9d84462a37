// Idlewatch's coordinate box and cursor test.
#include "main_window.h"

#include <gtest/gtest.h>

namespace {

TEST(IdlewatchTest, BoxIsSixteenCharactersByTwoLinesCentred) {
    EXPECT_EQ(CRect(136, 134, 264, 166), CMainWindow::CoordinateBox(400, 300, 8, 16));
    EXPECT_EQ(CRect(0, 0, 128, 32), CMainWindow::CoordinateBox(128, 32, 8, 16));
}

TEST(IdlewatchTest, SmallClientAreaGivesANegativeOriginTruncatedTowardZero) {
    // (100 - 128) / 2 = -14; (101 - 128) / 2 = -13 because the division truncates toward zero.
    EXPECT_EQ(CRect(-14, -6, 114, 26), CMainWindow::CoordinateBox(100, 20, 8, 16));
    EXPECT_EQ(CRect(-13, -5, 115, 27), CMainWindow::CoordinateBox(101, 21, 8, 16));
}

TEST(IdlewatchTest, CursorCountsOnlyInsideTheUncoveredClientArea) {
    auto* wnd = new CMainWindow;
    wnd->MoveWindow(100, 100, 300, 200);
    wnd->ShowWindow(SW_SHOWNORMAL);
    wnd->UpdateWindow();

    CRect client;
    wnd->GetClientRect(&client);
    wnd->ClientToScreen(&client);
    CRect frame;
    wnd->GetWindowRect(&frame);

    ::SetCursorPos(client.left, client.top);
    EXPECT_TRUE(wnd->IsCursorInWindow()) << "the top-left corner is inside";
    ::SetCursorPos(client.right - 1, client.bottom - 1);
    EXPECT_TRUE(wnd->IsCursorInWindow());
    ::SetCursorPos(client.right, client.bottom - 1);
    EXPECT_FALSE(wnd->IsCursorInWindow()) << "the right edge is outside";
    ::SetCursorPos(frame.left + frame.Width() / 2, frame.top + 2);
    EXPECT_FALSE(wnd->IsCursorInWindow()) << "the caption is not the client area";

    // Another top-level window over the client area hides it.
    const HWND cover =
        ::CreateWindowExA(0, AfxRegisterWndClass(0), "Cover", WS_POPUP | WS_VISIBLE, client.left,
                          client.top, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ::SetCursorPos(client.left + 10, client.top + 10);
    EXPECT_FALSE(wnd->IsCursorInWindow());
    ::DestroyWindow(cover);
    EXPECT_TRUE(wnd->IsCursorInWindow());

    wnd->DestroyWindow();
}

} // namespace
