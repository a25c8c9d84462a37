// The window tree: z-order, hit testing, coordinate mapping and placement.
#include "window_test_support.h"

using namespace window_test;

namespace {

class WindowTreeTest : public WindowTest {};

// Position of a window among its siblings, counted from the top.
int z_index(HWND hwnd) {
    int index = 0;
    for (HWND w = GetWindow(hwnd, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT), ++index) {
        if (w == hwnd)
            return index;
    }
    return -1;
}

TEST_F(WindowTreeTest, NewTopLevelWindowsGoOnTop) {
    HWND a = create_popup(0, 0, 10, 10, 0);
    HWND b = create_popup(0, 0, 10, 10, 0);
    HWND c = create_popup(0, 0, 10, 10, 0);
    EXPECT_LT(z_index(c), z_index(b));
    EXPECT_LT(z_index(b), z_index(a));
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDPREV), c);
}

TEST_F(WindowTreeTest, SetWindowPosReordersSiblings) {
    HWND parent = create_popup(0, 0, 100, 100);
    HWND a = create_child(parent, 0, 0, 10, 10, 1);
    HWND b = create_child(parent, 0, 0, 10, 10, 2);
    HWND c = create_child(parent, 0, 0, 10, 10, 3);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), c);
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
}

TEST_F(WindowTreeTest, TopmostWindowsStayAboveOthers) {
    HWND topmost = create_popup(0, 0, 10, 10, 0);
    SetWindowPos(topmost, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND later = create_popup(0, 0, 10, 10, 0);
    EXPECT_LT(z_index(topmost), z_index(later));
    SetWindowPos(later, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_LT(z_index(topmost), z_index(later));
    SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_FALSE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTreeTest, OwnedWindowsFollowTheirOwnerUp) {
    HWND owner = create_popup(0, 0, 100, 100);
    HWND owned = create_popup(10, 10, 30, 30, WS_VISIBLE, owner);
    HWND other = create_popup(0, 0, 100, 100);
    EXPECT_LT(z_index(other), z_index(owner));
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_LT(z_index(owned), z_index(owner));
    EXPECT_LT(z_index(owner), z_index(other));
}

TEST_F(WindowTreeTest, WindowFromPointFindsTheTopmostVisibleWindow) {
    HWND under = create_popup(100, 100, 200, 200);
    HWND over = create_popup(200, 200, 200, 200);
    EXPECT_EQ(WindowFromPoint({250, 250}), over);
    EXPECT_EQ(WindowFromPoint({150, 150}), under);
    EXPECT_EQ(WindowFromPoint({350, 350}), over);
    // Right and bottom edges are outside.
    EXPECT_NE(WindowFromPoint({400, 300}), over);
    ShowWindow(over, SW_HIDE);
    EXPECT_EQ(WindowFromPoint({250, 250}), under);
    EXPECT_EQ(WindowFromPoint({350, 350}), GetDesktopWindow());
}

TEST_F(WindowTreeTest, WindowFromPointDescendsIntoChildren) {
    HWND parent = create_popup(100, 100, 200, 200);
    HWND child = create_child(parent, 10, 10, 100, 100, 1);
    HWND grandchild = create_child(child, 20, 20, 30, 30, 2);
    HWND hidden = create_child(parent, 150, 10, 40, 40, 3, 0);
    HWND disabled = create_child(parent, 10, 150, 40, 40, 4, WS_VISIBLE | WS_DISABLED);
    EXPECT_EQ(WindowFromPoint({115, 115}), child);
    EXPECT_EQ(WindowFromPoint({135, 135}), grandchild);
    EXPECT_EQ(WindowFromPoint({260, 120}), parent);
    EXPECT_EQ(WindowFromPoint({120, 260}), disabled);
    // ChildWindowFromPoint looks at immediate children only, hidden ones included.
    EXPECT_EQ(ChildWindowFromPoint(parent, {35, 35}), child);
    EXPECT_EQ(ChildWindowFromPoint(parent, {160, 20}), hidden);
    EXPECT_EQ(ChildWindowFromPoint(parent, {5, 195}), parent);
    EXPECT_EQ(ChildWindowFromPoint(parent, {-5, 5}), nullptr);
}

TEST_F(WindowTreeTest, CoordinatesMapThroughClientOrigins) {
    HWND parent = create_popup(100, 50, 300, 300);
    HWND child = create_child(parent, 10, 20, 100, 100, 1);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 110);
    EXPECT_EQ(p.y, 70);
    ScreenToClient(parent, &p);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    POINT points[2] = {{1, 2}, {3, 4}};
    const int delta = MapWindowPoints(child, parent, points, 2);
    EXPECT_EQ(LOWORD(delta), 10);
    EXPECT_EQ(HIWORD(delta), 20);
    EXPECT_EQ(points[1].x, 13);
    EXPECT_EQ(points[1].y, 24);
    MapWindowPoints(parent, nullptr, points, 1);
    EXPECT_EQ(points[0].x, 111);
    EXPECT_EQ(points[0].y, 72);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.bottom, 170);
    GetClientRect(child, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 100);
}

TEST_F(WindowTreeTest, MovingAParentCarriesItsChildren) {
    HWND parent = create_popup(100, 50, 300, 300);
    HWND child = create_child(parent, 10, 20, 100, 100, 1);
    MoveWindow(parent, 200, 60, 300, 300, TRUE);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 210);
    EXPECT_EQ(r.top, 80);
}

TEST_F(WindowTreeTest, VisibilityNeedsEveryAncestorVisible) {
    HWND parent = create_popup(0, 0, 100, 100, 0);
    HWND child = create_child(parent, 0, 0, 10, 10, 1);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(parent, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowTreeTest, AncestorsAndParents) {
    HWND owner = create_popup(0, 0, 100, 100);
    HWND popup = create_popup(0, 0, 50, 50, WS_VISIBLE, owner);
    HWND child = create_child(popup, 0, 0, 10, 10, 1);
    HWND overlapped = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPED, 0, 0, 50, 50, owner,
                                      nullptr, nullptr, nullptr);
    EXPECT_EQ(GetParent(child), popup);
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetParent(overlapped), nullptr); // only popups report their owner
    EXPECT_EQ(GetWindow(overlapped, GW_OWNER), owner);
    EXPECT_EQ(GetAncestor(child, GA_PARENT), popup);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), popup);
    EXPECT_EQ(GetAncestor(child, GA_ROOTOWNER), owner);
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsChild(owner, popup));
}

TEST_F(WindowTreeTest, EnumerationVisitsDescendantsDepthFirst) {
    HWND parent = create_popup(0, 0, 100, 100, 0);
    HWND a = create_child(parent, 0, 0, 10, 10, 1);
    HWND a1 = create_child(a, 0, 0, 5, 5, 2);
    HWND b = create_child(parent, 0, 0, 10, 10, 3);
    std::vector<HWND> seen;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lparam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1, b}));
}

TEST_F(WindowTreeTest, FindWindowMatchesClassAndTitle) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "Find Me Please", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Find Me Please"), hwnd);
    EXPECT_EQ(FindWindowA(logging_class(), "Find Me Please"), hwnd);
    EXPECT_EQ(FindWindowA("Button", "Find Me Please"), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Not There"), nullptr);
}

TEST_F(WindowTreeTest, MinimizeMaximizeRestoreKeepTheNormalRectangle) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
    message_log().clear();
    ShowWindow(hwnd, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(hwnd));
    RECT r;
    GetClientRect(hwnd, &r);
    // A maximized window's frame lies beyond the screen edges: the client spans its width.
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_GETMINMAXINFO},
                                            {WM_WINDOWPOSCHANGING},
                                            {WM_NCCALCSIZE, CheckWParam, TRUE},
                                            {WM_WINDOWPOSCHANGED},
                                            {WM_SIZE, CheckWParam, SIZE_MAXIMIZED},
                                            {WM_MOVE}}));
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_FALSE(IsZoomed(hwnd));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(r.left, 0);
    WINDOWPLACEMENT placement{sizeof(placement)};
    GetWindowPlacement(hwnd, &placement);
    EXPECT_EQ(placement.showCmd, UINT(SW_SHOWMINIMIZED));
    EXPECT_EQ(placement.rcNormalPosition.left, 50);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 260);
    EXPECT_EQ(placement.flags & WPF_RESTORETOMAXIMIZED, UINT(WPF_RESTORETOMAXIMIZED));
    // Restoring a window minimized from maximized maximizes it again; restoring once more
    // gives back the normal rectangle.
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(hwnd));
    ShowWindow(hwnd, SW_RESTORE);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right, 350);
    EXPECT_EQ(r.bottom, 260);
}

TEST_F(WindowTreeTest, RestoringTheActiveMinimizedWindowGivesItTheFocus) {
    HWND hwnd = CreateWindowExA(0, logging_class(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_MINIMIZE);
    SetActiveWindow(hwnd);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), nullptr) << "a minimized window takes no focus when activated";
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(WindowTreeTest, ShowWindowReturnsPreviousVisibility) {
    HWND hwnd = create_popup(0, 0, 10, 10, 0);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNA));
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOWNA));
    message_log().clear();
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_TRUE(matches(
        messages_of(hwnd),
        {{WM_SHOWWINDOW, CheckWParam, FALSE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}}));
    EXPECT_FALSE(ShowWindow(hwnd, SW_HIDE));
}

TEST_F(WindowTreeTest, ResizingSendsSizeButMovingOnlyMove) {
    HWND hwnd = create_popup(0, 0, 100, 100);
    message_log().clear();
    SetWindowPos(hwnd, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_WINDOWPOSCHANGING},
                                            {WM_WINDOWPOSCHANGED},
                                            {WM_MOVE, CheckLParam, 0, MAKELONG(10, 10)}}));
    message_log().clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(matches(messages_of(hwnd), {{WM_WINDOWPOSCHANGING},
                                            {WM_NCCALCSIZE, CheckWParam, TRUE},
                                            {WM_WINDOWPOSCHANGED},
                                            {WM_SIZE, CheckLParam, 0, MAKELONG(50, 40)}}));
}

} // namespace
