// Creation and destruction of windows: message order, default placement, failure paths.
#include "window_test_support.h"

#include <thread>

using namespace window_test;

namespace {

class WindowCreateTest : public WindowTest {};

TEST_F(WindowCreateTest, HiddenOverlappedWindowGetsCreationMessagesOnly) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "main", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(matches(
        messages_of(hwnd),
        {{WM_GETMINMAXINFO}, {WM_NCCREATE}, {WM_NCCALCSIZE, CheckWParam, FALSE}, {WM_CREATE}}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    char text[16];
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof(text)), 4);
    EXPECT_STREQ(text, "main");
}

TEST_F(WindowCreateTest, VisibleOverlappedWindowIsShownActivatedAndSized) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                10, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_GETMINMAXINFO},
                                            {WM_NCCREATE},
                                            {WM_NCCALCSIZE, CheckWParam, FALSE},
                                            {WM_CREATE},
                                            {WM_SHOWWINDOW, CheckWParam, TRUE},
                                            {WM_WINDOWPOSCHANGING},
                                            {WM_ACTIVATEAPP, Optional | CheckWParam, TRUE},
                                            {WM_NCACTIVATE, CheckWParam, TRUE},
                                            {WM_ACTIVATE, CheckWParam, WA_ACTIVE},
                                            {WM_SETFOCUS},
                                            {WM_WINDOWPOSCHANGED},
                                            {WM_SIZE, CheckWParam, SIZE_RESTORED},
                                            {WM_MOVE}}));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(WindowCreateTest, OverlappedWindowsAlwaysGetCaptionAndClipSiblings) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    const DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, DWORD(WS_CAPTION));
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    HWND popup = create_popup(0, 0, 50, 50, 0);
    EXPECT_EQ(DWORD(GetWindowLongA(popup, GWL_STYLE)) & WS_CAPTION, 0u);
}

TEST_F(WindowCreateTest, ChildCreationNotifiesParentAndSizesOnShow) {
    HWND parent = create_popup(0, 0, 200, 200);
    message_log().clear();
    HWND child = create_child(parent, 5, 6, 50, 40, 77);
    EXPECT_TRUE(matches(messages_of(child),
                        {{WM_NCCREATE},
                         {WM_NCCALCSIZE, CheckWParam, FALSE},
                         {WM_CREATE},
                         {WM_SHOWWINDOW, CheckWParam, TRUE},
                         {WM_WINDOWPOSCHANGING},
                         {WM_WINDOWPOSCHANGED},
                         {WM_SIZE, CheckWParam | CheckLParam, SIZE_RESTORED, MAKELONG(50, 40)},
                         {WM_MOVE, CheckLParam, 0, MAKELONG(5, 6)}}));
    EXPECT_TRUE(
        matches(messages_of(parent), {{WM_PARENTNOTIFY, CheckWParam | CheckLParam,
                                       MAKELONG(WM_CREATE, 77), reinterpret_cast<LPARAM>(child)}}));
    EXPECT_EQ(GetDlgCtrlID(child), 77);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_TRUE(IsChild(parent, child));
}

TEST_F(WindowCreateTest, ChildWithoutParentIsRefused) {
    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, logging_class(), "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowCreateTest, UnknownClassIsRefused) {
    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClassAnywhere", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowCreateTest, CreateFailureDestroysTheWindow) {
    HWND created = nullptr;
    set_hook([&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            created = hwnd;
            return -1;
        }
        return std::nullopt;
    });
    EXPECT_EQ(CreateWindowExA(0, logging_class(), "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr),
              nullptr);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_TRUE(
        matches(messages_of(created),
                {{WM_NCCREATE}, {WM_NCCALCSIZE}, {WM_CREATE}, {WM_DESTROY}, {WM_NCDESTROY}}));
}

TEST_F(WindowCreateTest, NcCreateFailureSkipsCreate) {
    HWND created = nullptr;
    set_hook([&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCCREATE) {
            created = hwnd;
            return FALSE;
        }
        return std::nullopt;
    });
    EXPECT_EQ(CreateWindowExA(0, logging_class(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_TRUE(matches(messages_of(created), {{WM_NCCREATE}, {WM_NCDESTROY}}));
}

TEST_F(WindowCreateTest, DefaultPlacementCascadesAtThreeQuartersOfTheScreen) {
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    HWND first = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr);
    HWND second = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                  CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr);
    RECT a, b;
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    EXPECT_EQ(a.right - a.left, screen_width * 3 / 4);
    EXPECT_EQ(a.bottom - a.top, screen_height * 3 / 4);
    EXPECT_EQ(b.right - b.left, a.right - a.left);
    // Successive windows step down and right by the same amount on both axes (or start over
    // at the top-left when the next step would leave the screen).
    EXPECT_EQ(b.left - a.left, b.top - a.top);
    EXPECT_NE(b.left, a.left);
    EXPECT_LE(b.right, screen_width);
    EXPECT_LE(b.bottom, screen_height);
}

TEST_F(WindowCreateTest, DefaultPlacementOfPopupsIsZero) {
    HWND popup = CreateWindowExA(0, logging_class(), "", WS_POPUP, CW_USEDEFAULT, 0, CW_USEDEFAULT,
                                 0, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.bottom, 0);
}

TEST_F(WindowCreateTest, TrackingLimitsFromGetMinMaxInfoBoundTheCreatedSize) {
    set_hook([](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_GETMINMAXINFO) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMaxTrackSize = {300, 200};
            return 0;
        }
        return std::nullopt;
    });
    HWND hwnd = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400,
                                nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST_F(WindowCreateTest, DestroyOrderIsParentFirstThenChildrenLast) {
    HWND parent = create_popup(0, 0, 200, 200);
    HWND first = create_child(parent, 0, 0, 50, 50, 1);
    HWND grandchild = create_child(first, 0, 0, 10, 10, 3);
    HWND second = create_child(parent, 60, 0, 50, 50, 2);
    // Children stack in creation order: the first one created is on top.
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    message_log().clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Message& m : message_log()) {
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            order.emplace_back(m.hwnd, m.message);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY},   {first, WM_DESTROY},        {grandchild, WM_DESTROY},
        {second, WM_DESTROY},   {grandchild, WM_NCDESTROY}, {first, WM_NCDESTROY},
        {second, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND hwnd : {parent, first, grandchild, second})
        EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowCreateTest, OwnedWindowsAreDestroyedBeforeTheirOwner) {
    HWND owner = create_popup(0, 0, 200, 200);
    HWND owned = create_popup(20, 20, 50, 50, WS_VISIBLE, owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);
    message_log().clear();
    DestroyWindow(owner);
    std::vector<HWND> destroyed;
    for (const Message& m : message_log()) {
        if (m.message == WM_NCDESTROY)
            destroyed.push_back(m.hwnd);
    }
    EXPECT_EQ(destroyed, (std::vector<HWND>{owned, owner}));
}

TEST_F(WindowCreateTest, WindowsOfAnotherThreadCannotBeDestroyed) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    BOOL result = TRUE;
    DWORD error = 0;
    std::thread other([&] {
        result = DestroyWindow(hwnd);
        error = GetLastError();
    });
    other.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(error, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowCreateTest, TopLevelMenuIsAttachedAndDestroyedWithTheWindow) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 100, "&File");
    HWND hwnd = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, menu, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetMenu(hwnd), menu);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsMenu(menu));
}

TEST_F(WindowCreateTest, DestroyedHandlesStopResolving) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(DestroyWindow(hwnd));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0);
    RECT r;
    EXPECT_FALSE(GetWindowRect(hwnd, &r));
}

} // namespace
