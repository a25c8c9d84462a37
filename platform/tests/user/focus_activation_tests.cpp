// Keyboard focus, activation and mouse capture.
#include "window_test_support.h"

#include <future>
#include <thread>

using namespace window_test;

namespace {

class FocusTest : public WindowTest {};

TEST_F(FocusTest, ActivationMovesBetweenTopLevelWindows) {
    HWND first = create_popup(0, 0, 100, 100);
    HWND second = create_popup(50, 50, 100, 100);
    EXPECT_EQ(GetActiveWindow(), second);
    message_log().clear();
    EXPECT_EQ(SetActiveWindow(first), second);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    EXPECT_TRUE(matches(
        messages_of(second),
        {{WM_NCACTIVATE, CheckWParam, FALSE},
         {WM_ACTIVATE, CheckWParam | CheckLParam, WA_INACTIVE, reinterpret_cast<LPARAM>(first)},
         {WM_KILLFOCUS, CheckWParam, reinterpret_cast<WPARAM>(first)}}));
    EXPECT_TRUE(matches(
        messages_of(first),
        {{WM_WINDOWPOSCHANGING, Optional},
         {WM_WINDOWPOSCHANGED, Optional},
         {WM_NCACTIVATE, CheckWParam, TRUE},
         {WM_ACTIVATE, CheckWParam | CheckLParam, WA_ACTIVE, reinterpret_cast<LPARAM>(second)},
         {WM_SETFOCUS, CheckWParam, reinterpret_cast<WPARAM>(second)}}));
    // Activation brings the window to the top.
    EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), first);
}

TEST_F(FocusTest, FocusingAChildActivatesItsTopLevel) {
    HWND other = create_popup(200, 0, 100, 100);
    HWND top = create_popup(0, 0, 100, 100, WS_VISIBLE, nullptr);
    HWND child = create_child(top, 0, 0, 20, 20, 1);
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    message_log().clear();
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_TRUE(matches(messages_of(top), {{WM_WINDOWPOSCHANGING, Optional},
                                           {WM_WINDOWPOSCHANGED, Optional},
                                           {WM_NCACTIVATE, CheckWParam, TRUE},
                                           {WM_ACTIVATE, CheckWParam, WA_ACTIVE},
                                           {WM_SETFOCUS},
                                           {WM_KILLFOCUS}}));
    EXPECT_TRUE(
        matches(messages_of(child), {{WM_SETFOCUS, CheckWParam, reinterpret_cast<WPARAM>(top)}}));
}

TEST_F(FocusTest, FocusChangeSendsKillThenSet) {
    HWND top = create_popup(0, 0, 100, 100);
    HWND a = create_child(top, 0, 0, 20, 20, 1);
    HWND b = create_child(top, 30, 0, 20, 20, 2);
    SetFocus(a);
    message_log().clear();
    EXPECT_EQ(SetFocus(b), a);
    std::vector<std::pair<HWND, UINT>> order;
    for (const Message& m : message_log())
        order.emplace_back(m.hwnd, m.message);
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(FocusTest, DisabledWindowsCannotTakeTheFocus) {
    HWND top = create_popup(0, 0, 100, 100);
    HWND child = create_child(top, 0, 0, 20, 20, 1, WS_VISIBLE | WS_DISABLED);
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(FocusTest, DisablingTheFocusWindowRemovesTheFocus) {
    HWND top = create_popup(0, 0, 100, 100);
    HWND child = create_child(top, 0, 0, 20, 20, 1);
    SetFocus(child);
    message_log().clear();
    EXPECT_FALSE(EnableWindow(child, FALSE)); // it was enabled
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(
        matches(messages_of(child),
                {{WM_CANCELMODE, Optional}, {WM_KILLFOCUS}, {WM_ENABLE, CheckWParam, FALSE}}));
    EXPECT_TRUE(EnableWindow(child, TRUE)); // it was disabled
    EXPECT_TRUE(IsWindowEnabled(child));
}

TEST_F(FocusTest, WindowsOfAnotherThreadCannotBeFocusedFromHere) {
    HWND top = create_popup(0, 0, 100, 100);
    HWND result = top;
    std::thread other([&] { result = SetFocus(top); });
    other.join();
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(FocusTest, HidingTheActiveWindowActivatesAnother) {
    HWND first = create_popup(0, 0, 100, 100);
    HWND second = create_popup(50, 50, 100, 100);
    ASSERT_EQ(GetActiveWindow(), second);
    ShowWindow(second, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), first);
}

TEST_F(FocusTest, DestroyingAnOwnedWindowActivatesItsOwner) {
    HWND owner = create_popup(0, 0, 100, 100);
    HWND unrelated = create_popup(300, 0, 100, 100);
    HWND dialog = create_popup(20, 20, 50, 50, WS_VISIBLE, owner);
    ASSERT_EQ(GetActiveWindow(), dialog);
    SetWindowPos(unrelated, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(dialog);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(FocusTest, DestroyingTheFocusedChildLeavesNoStaleFocus) {
    HWND top = create_popup(0, 0, 100, 100);
    HWND child = create_child(top, 0, 0, 20, 20, 1);
    SetFocus(child);
    DestroyWindow(child);
    EXPECT_NE(GetFocus(), child);
    EXPECT_TRUE(GetFocus() == top || GetFocus() == nullptr);
}

LRESULT CALLBACK quiet_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(FocusTest, ActivationOfAnotherThreadSendsActivateApp) {
    static const WNDCLASSA quiet = {0,       quiet_proc, 0,       0,       nullptr,
                                    nullptr, nullptr,    nullptr, nullptr, "FocusTestQuiet"};
    static const bool registered = RegisterClassA(&quiet) != 0;
    ASSERT_TRUE(registered);
    HWND mine = create_popup(0, 0, 100, 100);
    ASSERT_EQ(GetActiveWindow(), mine);
    // The other thread owns a window and serves its messages until told to quit.
    std::promise<std::pair<HWND, DWORD>> created;
    std::thread other([&] {
        HWND hwnd = CreateWindowExA(0, "FocusTestQuiet", "", WS_POPUP, 300, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
        created.set_value({hwnd, GetCurrentThreadId()});
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(hwnd);
    });
    const auto [theirs, their_thread] = created.get_future().get();
    ASSERT_NE(theirs, nullptr);
    message_log().clear();
    SetForegroundWindow(theirs);
    EXPECT_EQ(GetForegroundWindow(), theirs);
    EXPECT_EQ(GetActiveWindow(), nullptr); // not this thread's window
    const auto log = messages_of(mine);
    ASSERT_EQ(count_of(log, WM_ACTIVATEAPP), 1u);
    for (const Message& m : log) {
        if (m.message == WM_ACTIVATEAPP) {
            EXPECT_EQ(m.wparam, WPARAM(FALSE));
            EXPECT_EQ(DWORD(m.lparam), their_thread);
        }
    }
    SetActiveWindow(mine);
    EXPECT_EQ(GetActiveWindow(), mine);
    PostThreadMessageA(their_thread, WM_QUIT, 0, 0);
    other.join();
}

TEST_F(FocusTest, CaptureChangesAreAnnounced) {
    HWND a = create_popup(0, 0, 100, 100);
    HWND b = create_popup(0, 0, 100, 100);
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(GetCapture(), a);
    message_log().clear();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(matches(messages_of(a),
                        {{WM_CAPTURECHANGED, CheckLParam, 0, reinterpret_cast<LPARAM>(b)}}));
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(matches(messages_of(b), {{WM_CAPTURECHANGED, CheckLParam, 0, 0}}));
}

TEST_F(FocusTest, DestroyingTheCaptureWindowReleasesCapture) {
    HWND a = create_popup(0, 0, 100, 100);
    SetCapture(a);
    DestroyWindow(a);
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
