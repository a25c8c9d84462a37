// The creation hook: called on the creating thread before the window's first message, able
// to subclass the window or refuse it, chained newest first through CallNextHookEx.
#include "windows.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string>& trace() {
    static std::vector<std::string> log;
    return log;
}

WNDPROC original_static_proc = nullptr;

LRESULT CALLBACK replacement_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        trace().push_back("replacement saw WM_NCCREATE");
    return CallWindowProcA(original_static_proc, hwnd, message, wparam, lparam);
}

HHOOK older = nullptr;
HHOOK newer = nullptr;

LRESULT CALLBACK older_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        auto* creation = reinterpret_cast<CBT_CREATEWNDA*>(lparam);
        trace().push_back(std::string("older: ") + creation->lpcs->lpszName);
        // Taking the window over before its first message, as a framework does.
        auto hwnd = reinterpret_cast<HWND>(wparam);
        original_static_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&replacement_proc)));
        if (std::string(creation->lpcs->lpszName) == "refused")
            return 1;
    }
    return CallNextHookEx(older, code, wparam, lparam);
}

LRESULT CALLBACK newer_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND)
        trace().push_back("newer");
    return CallNextHookEx(newer, code, wparam, lparam);
}

HWND create_static(const char* text) {
    return CreateWindowExA(0, "Static", text, WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST(WindowHook, CreationHooksRunNewestFirstBeforeTheFirstMessage) {
    trace().clear();
    older = SetWindowsHookExA(WH_CBT, older_hook, nullptr, GetCurrentThreadId());
    newer = SetWindowsHookExA(WH_CBT, newer_hook, nullptr, GetCurrentThreadId());
    ASSERT_NE(older, nullptr);

    HWND window = create_static("hooked");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(trace(),
              (std::vector<std::string>{"newer", "older: hooked", "replacement saw WM_NCCREATE"}));

    // A hook that answers nonzero refuses the window.
    trace().clear();
    EXPECT_EQ(create_static("refused"), nullptr);
    EXPECT_EQ(trace(), (std::vector<std::string>{"newer", "older: refused"}));

    // Another thread's windows are not this thread's hooks' business.
    trace().clear();
    std::thread([] { DestroyWindow(create_static("elsewhere")); }).join();
    EXPECT_TRUE(trace().empty());

    EXPECT_TRUE(UnhookWindowsHookEx(newer));
    EXPECT_FALSE(UnhookWindowsHookEx(newer));
    EXPECT_TRUE(UnhookWindowsHookEx(older));
    trace().clear();
    HWND plain = create_static("unhooked");
    EXPECT_TRUE(trace().empty());
    DestroyWindow(plain);
    DestroyWindow(window);
}

} // namespace
