#pragma once

// A top-level test window that records the menu-related messages it receives, for the menu,
// frame and accelerator tests.
#include "user/input.h"

#include <functional>
#include <vector>
#include <windows.h>

namespace mullion::testing {

struct RecordedMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    bool popup_menu_visible; // whether a "#32768" window was showing when it arrived
};

class MenuTestWindow {
public:
    explicit MenuTestWindow(HMENU menu, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            RECT rect = RECT{100, 100, 400, 300}, DWORD ex_style = 0) {
        static const ATOM class_atom = [] {
            WNDCLASSA window_class{};
            window_class.style = CS_DBLCLKS;
            window_class.lpfnWndProc = &MenuTestWindow::window_proc;
            window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
            window_class.lpszClassName = "MullionMenuTestWindow";
            return RegisterClassA(&window_class);
        }();
        (void)class_atom;
        hwnd = CreateWindowExA(ex_style, "MullionMenuTestWindow", "Menu test", style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                               menu, GetModuleHandleA(nullptr), this);
        pump();
    }
    ~MenuTestWindow() {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        pump();
    }
    MenuTestWindow(const MenuTestWindow&) = delete;
    MenuTestWindow& operator=(const MenuTestWindow&) = delete;

    // Retrieves and dispatches everything queued for the thread.
    static void pump() {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    void post_key(UINT virtual_key) const { PostMessageA(hwnd, WM_KEYDOWN, virtual_key, 1); }
    void post_char(char character) const { PostMessageA(hwnd, WM_CHAR, WPARAM(character), 1); }
    void post_alt_char(char character) const {
        PostMessageA(hwnd, WM_SYSCHAR, WPARAM(character), 1 | (LPARAM(1) << 29));
    }
    void post_alt_tap() const {
        PostMessageA(hwnd, WM_SYSKEYDOWN, VK_MENU, 1 | (LPARAM(1) << 29));
        PostMessageA(hwnd, WM_SYSKEYUP, VK_MENU, LPARAM(0xC0000001));
    }
    // Real input, routed as the devices' input is: queued now, handled when pumped.
    static void inject_mouse(InputEvent::Type type, int x, int y) {
        InputEvent event;
        event.type = type;
        event.position = POINT{x, y};
        inject_input(event);
    }
    static void inject_click(int x, int y) {
        inject_mouse(InputEvent::Type::MouseMove, x, y);
        inject_mouse(InputEvent::Type::ButtonDown, x, y);
        inject_mouse(InputEvent::Type::ButtonUp, x, y);
    }
    static void inject_key(UINT virtual_key) {
        InputEvent event;
        event.type = InputEvent::Type::KeyDown;
        event.virtual_key = virtual_key;
        inject_input(event);
        event.type = InputEvent::Type::KeyUp;
        inject_input(event);
    }

    // Ends a menu loop left open by a failing test instead of letting it wait for input.
    void post_safety_exit() const { PostMessageA(hwnd, WM_KEYDOWN, VK_MENU, 1); }

    std::vector<RecordedMessage> messages_of(UINT message) const {
        std::vector<RecordedMessage> found;
        for (const RecordedMessage& record : log)
            if (record.message == message)
                found.push_back(record);
        return found;
    }
    std::vector<UINT> commands() const {
        std::vector<UINT> ids;
        for (const RecordedMessage& record : messages_of(WM_COMMAND))
            ids.push_back(LOWORD(record.wparam));
        return ids;
    }
    std::vector<UINT> sequence() const {
        std::vector<UINT> order;
        for (const RecordedMessage& record : log)
            order.push_back(record.message);
        return order;
    }

    HWND hwnd = nullptr;
    std::vector<RecordedMessage> log;
    // Called for WM_INITMENUPOPUP after recording, as an update handler would run.
    std::function<void(HMENU popup)> on_init_menu_popup;
    LRESULT menu_char_answer = 0;

private:
    static bool recorded(UINT message) {
        switch (message) {
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_MENUCHAR:
        case WM_COMMAND:
        case WM_SYSCOMMAND:
        case WM_CLOSE:
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
            return true;
        default:
            return false;
        }
    }

    static bool popup_menu_showing() {
        HWND popup = FindWindowA("#32768", nullptr);
        return popup && IsWindowVisible(popup);
    }

    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<MenuTestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && recorded(message))
            self->log.push_back({message, wparam, lparam, popup_menu_showing()});
        if (self && message == WM_INITMENUPOPUP && self->on_init_menu_popup)
            self->on_init_menu_popup(reinterpret_cast<HMENU>(wparam));
        if (message == WM_CLOSE)
            return 0; // recorded; the test destroys the window itself
        if (self && message == WM_MENUCHAR)
            return self->menu_char_answer;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
};

} // namespace mullion::testing
