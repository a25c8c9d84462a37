// The frame of created windows: client rectangles from WM_NCCALCSIZE (menu bar rows
// included) and WM_NCHITTEST codes over every part of the frame.
#include "menu_test_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace mullion {
namespace {

using testing::MenuTestWindow;

constexpr int frame = 4;     // SM_CXFRAME
constexpr int caption = 19;  // SM_CYCAPTION
constexpr int menu_row = 19; // SM_CYMENU

HMENU one_item_bar() {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 1, "&File");
    return bar;
}

LRESULT hit(HWND hwnd, int x, int y) {
    return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

TEST(NonclientCalcSize, ClientIsTheWindowMinusFrameCaptionAndMenu) {
    MenuTestWindow window(one_item_bar());
    RECT client{};
    GetClientRect(window.hwnd, &client);
    EXPECT_EQ(client.right, 300 - 2 * frame);
    EXPECT_EQ(client.bottom, 200 - 2 * frame - caption - menu_row);

    MenuTestWindow plain(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 50, 250, 150},
                         WS_EX_CLIENTEDGE);
    GetClientRect(plain.hwnd, &client);
    EXPECT_EQ(client.right, 200 - 2 * frame - 4);
    EXPECT_EQ(client.bottom, 100 - 2 * frame - caption - 4);
}

TEST(NonclientCalcSize, SetMenuChangesTheClientArea) {
    MenuTestWindow window(nullptr);
    RECT before{};
    GetClientRect(window.hwnd, &before);
    HMENU bar = one_item_bar();
    ASSERT_TRUE(SetMenu(window.hwnd, bar));
    EXPECT_EQ(GetMenu(window.hwnd), bar);
    RECT after{};
    GetClientRect(window.hwnd, &after);
    EXPECT_EQ(before.bottom - after.bottom, menu_row);
    ASSERT_TRUE(SetMenu(window.hwnd, nullptr));
    EXPECT_EQ(GetMenu(window.hwnd), nullptr);
    DestroyMenu(bar);
}

TEST(NonclientCalcSize, MenuBarWrapsIntoRowsInANarrowWindow) {
    HMENU bar = CreateMenu();
    for (UINT id = 1; id <= 8; ++id)
        AppendMenuA(bar, MF_STRING, id, "&Something");
    MenuTestWindow window(bar, WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 170, 310});
    RECT client{};
    GetClientRect(window.hwnd, &client);
    int bar_height = 300 - 2 * frame - caption - client.bottom;
    EXPECT_GE(bar_height, 2 * menu_row) << "eight items cannot fit one row of 152 pixels";
    EXPECT_EQ(bar_height % menu_row, 0) << "whole rows";
    // Widening the window needs fewer rows.
    SetWindowPos(window.hwnd, nullptr, 0, 0, 1000, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT wide{};
    GetClientRect(window.hwnd, &wide);
    EXPECT_LT(300 - 2 * frame - caption - wide.bottom, bar_height);
}

TEST(NonclientHitTest, OverlappedWindowParts) {
    MenuTestWindow window(one_item_bar()); // at (100,100), 300 x 200
    HWND hwnd = window.hwnd;
    const int left = 100, top = 100, right = 400, bottom = 300;
    const int caption_y = top + frame + caption / 2;
    const int caption_right = right - frame;
    EXPECT_EQ(hit(hwnd, 250, 200), HTCLIENT);
    EXPECT_EQ(hit(hwnd, 250, caption_y), HTCAPTION);
    EXPECT_EQ(hit(hwnd, left + frame + 8, caption_y), HTSYSMENU);
    // The caption buttons, SM_CXSIZE wide each, from the right: close, maximize, minimize.
    EXPECT_EQ(hit(hwnd, caption_right - 9, caption_y), HTCLOSE);
    EXPECT_EQ(hit(hwnd, caption_right - 27, caption_y), HTMAXBUTTON);
    EXPECT_EQ(hit(hwnd, caption_right - 45, caption_y), HTMINBUTTON);
    EXPECT_EQ(hit(hwnd, 200, top + frame + caption + menu_row / 2), HTMENU);
    // Sizing borders and corners.
    EXPECT_EQ(hit(hwnd, left + 1, 200), HTLEFT);
    EXPECT_EQ(hit(hwnd, right - 2, 200), HTRIGHT);
    EXPECT_EQ(hit(hwnd, 250, top + 1), HTTOP);
    EXPECT_EQ(hit(hwnd, 250, bottom - 2), HTBOTTOM);
    EXPECT_EQ(hit(hwnd, left, top), HTTOPLEFT);
    EXPECT_EQ(hit(hwnd, right - 1, top), HTTOPRIGHT);
    EXPECT_EQ(hit(hwnd, left, bottom - 1), HTBOTTOMLEFT);
    EXPECT_EQ(hit(hwnd, right - 1, bottom - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(hwnd, left - 5, 200), HTNOWHERE);
    EXPECT_EQ(hit(hwnd, right, bottom), HTNOWHERE);
}

TEST(NonclientHitTest, ModalDialogFrameHasOnlyACloseBoxAndNoIcon) {
    MenuTestWindow dialog(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                          RECT{200, 200, 400, 320}, WS_EX_DLGMODALFRAME);
    HWND hwnd = dialog.hwnd;
    const int fixed = 3; // SM_CXDLGFRAME
    const int caption_y = 200 + fixed + caption / 2;
    EXPECT_EQ(hit(hwnd, 200 + 1, 260), HTBORDER) << "a fixed frame does not size";
    EXPECT_EQ(hit(hwnd, 200, 200), HTBORDER);
    EXPECT_EQ(hit(hwnd, 200 + fixed + 8, caption_y), HTCAPTION) << "no system icon";
    EXPECT_EQ(hit(hwnd, 400 - fixed - 9, caption_y), HTCLOSE);
    EXPECT_EQ(hit(hwnd, 400 - fixed - 27, caption_y), HTCAPTION) << "no maximize box";
    EXPECT_EQ(hit(hwnd, 300, 260), HTCLIENT);
}

TEST(NonclientSystemCommands, AltF4SendsCloseAndMaximizeRestores) {
    MenuTestWindow window(nullptr);
    PostMessageA(window.hwnd, WM_SYSKEYDOWN, VK_F4, 1 | (LPARAM(1) << 29));
    MenuTestWindow::pump();
    auto system_commands = window.messages_of(WM_SYSCOMMAND);
    ASSERT_EQ(system_commands.size(), 1u);
    EXPECT_EQ(system_commands[0].wparam & 0xFFF0, WPARAM(SC_CLOSE));
    EXPECT_EQ(window.messages_of(WM_CLOSE).size(), 1u);

    SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(window.hwnd));
    SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(window.hwnd));
    SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(window.hwnd));
}

TEST(NonclientSystemCommands, KeyboardMoveFollowsArrowsAndEscapeRestores) {
    MenuTestWindow window(nullptr);
    RECT before{};
    GetWindowRect(window.hwnd, &before);
    window.post_key(VK_RIGHT);
    window.post_key(VK_DOWN);
    window.post_key(VK_RETURN);
    SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_MOVE, 0);
    RECT moved{};
    GetWindowRect(window.hwnd, &moved);
    EXPECT_GT(moved.left, before.left);
    EXPECT_GT(moved.top, before.top);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left) << "moving keeps the size";
    std::vector<UINT> expected = {WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE};
    EXPECT_EQ(window.sequence(), expected);

    window.post_key(VK_LEFT);
    window.post_key(VK_ESCAPE);
    SendMessageA(window.hwnd, WM_SYSCOMMAND, SC_MOVE, 0);
    RECT cancelled{};
    GetWindowRect(window.hwnd, &cancelled);
    EXPECT_TRUE(EqualRect(&cancelled, &moved)) << "Esc puts the window back";
}

} // namespace
} // namespace mullion

namespace mullion {
namespace {

COLORREF window_pixel(HWND hwnd, int x, int y) {
    HDC dc = GetWindowDC(hwnd);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return color;
}

TEST(NonclientPaint, RaisedFrameAndCaptionColourFollowingActivation) {
    MenuTestWindow window(nullptr); // 300 x 200
    HWND hwnd = window.hwnd;
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    // The caption's top row, right of the title and left of the buttons.
    const int caption_x = 220, caption_y = frame;
    EXPECT_EQ(window_pixel(hwnd, caption_x, caption_y), GetSysColor(COLOR_ACTIVECAPTION));
    SendMessageA(hwnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(window_pixel(hwnd, caption_x, caption_y), GetSysColor(COLOR_INACTIVECAPTION));
    // A raised edge: light outer then highlight at the top left, dark shadow then shadow at
    // the bottom right.
    EXPECT_EQ(window_pixel(hwnd, 0, 50), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(window_pixel(hwnd, 1, 50), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(window_pixel(hwnd, 299, 50), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(window_pixel(hwnd, 298, 50), GetSysColor(COLOR_3DSHADOW));
    // The sizing border between the edge and the client area.
    EXPECT_EQ(window_pixel(hwnd, 3, 50), GetSysColor(COLOR_INACTIVEBORDER));
    // The close box is a button face inside the caption.
    const int close_left = 300 - frame - 2 - 16;
    EXPECT_EQ(window_pixel(hwnd, close_left + 3, frame + 2 + 3), GetSysColor(COLOR_BTNFACE));
}

} // namespace
} // namespace mullion

namespace mullion {
namespace {

TEST(NonclientMouse, DraggingTheCaptionMovesTheWindow) {
    MenuTestWindow window(nullptr); // (100,100)-(400,300)
    const int caption_y = 100 + frame + caption / 2;
    MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, 250, caption_y);
    MenuTestWindow::inject_mouse(InputEvent::Type::ButtonDown, 250, caption_y);
    MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, 300, caption_y + 50);
    MenuTestWindow::inject_mouse(InputEvent::Type::ButtonUp, 300, caption_y + 50);
    MenuTestWindow::pump();
    RECT rect{};
    GetWindowRect(window.hwnd, &rect);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right, 450);
    EXPECT_EQ(rect.bottom, 350);
    EXPECT_EQ(window.messages_of(WM_ENTERSIZEMOVE).size(), 1u);
    EXPECT_EQ(window.messages_of(WM_EXITSIZEMOVE).size(), 1u);
}

// Drags the right border from a press at (x, 200) to (to_x, 200): the loop runs here while
// another thread moves the mouse once the loop waits with the capture set, as a user would.
void drag_right_border(HWND hwnd, int x, int to_x) {
    // The command is posted before the user starts moving, so the queues count as busy until
    // this thread has retrieved it and waits inside the sizing loop with the mouse captured.
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + (HTRIGHT - HTLEFT + 1), MAKELPARAM(x, 200));
    std::thread user([to_x] {
        wait_until_idle(IdleKind::QueuesEmpty, std::chrono::seconds(2));
        MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, to_x, 200);
        wait_until_idle(IdleKind::QueuesEmpty, std::chrono::seconds(2));
        MenuTestWindow::inject_mouse(InputEvent::Type::ButtonUp, to_x, 200);
    });
    MSG msg;
    GetMessageA(&msg, nullptr, WM_SYSCOMMAND, WM_SYSCOMMAND);
    DispatchMessageA(&msg);
    user.join();
}

TEST(NonclientMouse, DraggingTheRightBorderSizesAndTheMinimumHolds) {
    MenuTestWindow window(nullptr);
    ASSERT_EQ(SendMessageA(window.hwnd, WM_NCHITTEST, 0, MAKELPARAM(398, 200)), HTRIGHT);
    drag_right_border(window.hwnd, 398, 448);
    RECT rect{};
    GetWindowRect(window.hwnd, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 450);
    EXPECT_EQ(rect.bottom, 300);
    // Dragging far left stops at the minimum tracking width.
    drag_right_border(window.hwnd, 448, 0);
    GetWindowRect(window.hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(window.messages_of(WM_EXITSIZEMOVE).size(), 2u);
}

TEST(NonclientMouse, CloseBoxClickSendsClose) {
    MenuTestWindow window(nullptr);
    const int caption_y = 100 + frame + caption / 2;
    MenuTestWindow::inject_click(400 - frame - 9, caption_y);
    MenuTestWindow::pump();
    auto system_commands = window.messages_of(WM_SYSCOMMAND);
    ASSERT_EQ(system_commands.size(), 1u);
    EXPECT_EQ(system_commands[0].wparam & 0xFFF0, WPARAM(SC_CLOSE));
    EXPECT_EQ(window.messages_of(WM_CLOSE).size(), 1u);
}

TEST(NonclientMouse, ReleasingAwayFromTheCloseBoxDoesNothing) {
    MenuTestWindow window(nullptr);
    const int caption_y = 100 + frame + caption / 2;
    MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, 400 - frame - 9, caption_y);
    MenuTestWindow::inject_mouse(InputEvent::Type::ButtonDown, 400 - frame - 9, caption_y);
    MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, 250, 200);
    MenuTestWindow::inject_mouse(InputEvent::Type::ButtonUp, 250, 200);
    MenuTestWindow::pump();
    EXPECT_TRUE(window.messages_of(WM_CLOSE).empty());
}

} // namespace
} // namespace mullion
