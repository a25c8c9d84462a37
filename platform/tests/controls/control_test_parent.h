#pragma once

// A parent window for control tests that records the notifications its controls send.
#include "windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace control_test {

struct Notification {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

inline std::vector<Notification>& notifications() {
    static std::vector<Notification> log;
    return log;
}

// The brush the parent answers WM_CTLCOLORSTATIC with (null: the default handling).
inline HBRUSH& static_brush() {
    static HBRUSH brush = nullptr;
    return brush;
}

inline LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
        notifications().push_back({message, wparam, lparam});
        if (message == WM_CTLCOLORSTATIC && static_brush())
            return reinterpret_cast<LRESULT>(static_brush());
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = parent_proc;
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = "ControlTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, "ControlTestParent", "Parent", WS_POPUP | WS_VISIBLE, 10, 10,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        notifications().clear();
        static_brush() = nullptr;
    }
    void TearDown() override {
        DestroyWindow(parent);
        notifications().clear();
        static_brush() = nullptr;
    }

    HWND create(LPCSTR class_name, LPCSTR text, DWORD style, int id, int x = 10, int y = 10,
                int width = 100, int height = 20) {
        HWND control = CreateWindowExA(
            0, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(control, nullptr);
        return control;
    }

    // The WM_COMMAND notifications received, as (id, code, control) triples.
    std::vector<std::tuple<int, int, HWND>> commands() const {
        std::vector<std::tuple<int, int, HWND>> result;
        for (const auto& n : notifications())
            if (n.message == WM_COMMAND)
                result.emplace_back(LOWORD(n.wparam), HIWORD(n.wparam),
                                    reinterpret_cast<HWND>(n.lparam));
        return result;
    }

    HWND parent = nullptr;
};

} // namespace control_test
