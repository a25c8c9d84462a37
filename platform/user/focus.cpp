#include "focus.h"

#include "paint.h"

#include "../display/screen.h"

#include <algorithm>

namespace mullion {

namespace {
// One desktop: one active window (which is also the foreground window), one focus and one
// capture. Guarded by window_manager_lock().
struct InputState {
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
};

InputState& input_state() {
    static InputState state;
    return state;
}

std::vector<HWND> top_levels_of_thread(DWORD thread_id) {
    std::vector<HWND> windows;
    for (auto& w : desktop_window()->children) {
        if (w->thread_id == thread_id && !w->destroying)
            windows.push_back(w->handle);
    }
    return windows;
}

// The caller's own view of a global: windows of other threads are not its business.
HWND if_current_thread(HWND hwnd) {
    Window* window = find_window(hwnd);
    return window && window->thread_id == GetCurrentThreadId() ? hwnd : nullptr;
}

void mark_frame(HWND hwnd) {
    if (Window* window = find_window(hwnd)) {
        if (!(window->rect == window->client) && is_visible(window)) {
            window->frame_pending = true;
            wake_after_unlock(window->thread_id);
        }
    }
}

// Tells a window of its deactivation or loss of focus. A window of another thread learns of it
// without this thread waiting for that thread to answer, so activating a window never blocks on
// a thread that is busy or not pumping its messages.
void notify_window(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (window_thread_id(hwnd) == GetCurrentThreadId())
        SendMessageA(hwnd, message, wparam, lparam);
    else
        PostMessageA(hwnd, message, wparam, lparam);
}
} // namespace

HWND active_window_locked() {
    return input_state().active;
}
HWND focus_window_locked() {
    return input_state().focus;
}
HWND capture_window_locked() {
    return input_state().capture;
}

void forget_input_state(const Window* window) {
    InputState& state = input_state();
    for (HWND* slot : {&state.active, &state.focus, &state.capture}) {
        if (*slot == window->handle)
            *slot = nullptr;
    }
}

HWND activate_window(HWND hwnd, WORD how) {
    HWND old;
    DWORD old_thread = 0;
    DWORD new_thread = 0;
    std::vector<HWND> deactivated_app;
    std::vector<HWND> activated_app;
    bool raise = false;
    {
        WindowManagerGuard guard;
        Window* window = find_window(hwnd);
        if (hwnd && (!window || !window->is_top_level()))
            return nullptr;
        InputState& state = input_state();
        old = state.active;
        if (old == hwnd)
            return old;
        Window* old_window = find_window(old);
        old_thread = old_window ? old_window->thread_id : 0;
        new_thread = window ? window->thread_id : 0;
        state.active = hwnd;
        if (old_thread != new_thread) {
            if (old_thread)
                deactivated_app = top_levels_of_thread(old_thread);
            if (new_thread)
                activated_app = top_levels_of_thread(new_thread);
        }
        mark_frame(old);
        mark_frame(hwnd);
        if (window) {
            auto& siblings = window->parent->children;
            raise = std::find_if(siblings.begin(), siblings.end(), [&](auto& w) {
                        return bool(w->ex_style & WS_EX_TOPMOST) ==
                               bool(window->ex_style & WS_EX_TOPMOST);
                    })->get() != window;
        }
    }
    if (raise)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (old && IsWindow(old)) {
        notify_window(old, WM_NCACTIVATE, FALSE, 0);
        notify_window(old, WM_ACTIVATE, MAKELONG(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                      reinterpret_cast<LPARAM>(hwnd));
    }
    for (HWND w : deactivated_app)
        notify_window(w, WM_ACTIVATEAPP, FALSE, LPARAM(new_thread));
    for (HWND w : activated_app)
        SendMessageA(w, WM_ACTIVATEAPP, TRUE, LPARAM(old_thread));
    if (hwnd && IsWindow(hwnd)) {
        // On a palette display the window may realize its own palette before it shows as
        // active.
        if (Screen::instance().indexed())
            SendMessageA(hwnd, WM_QUERYNEWPALETTE, 0, 0);
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(hwnd, WM_ACTIVATE, MAKELONG(how, IsIconic(hwnd) ? 1 : 0),
                     reinterpret_cast<LPARAM>(old));
    }
    // The focus does not stay behind in a window that is no longer active.
    HWND stale_focus = nullptr;
    {
        std::lock_guard lock(window_manager_lock());
        InputState& state = input_state();
        Window* focus = find_window(state.focus);
        Window* active = find_window(state.active);
        if (focus && (!active || top_level_of(focus) != active))
            stale_focus = state.focus;
    }
    if (stale_focus)
        change_focus(nullptr);
    return old;
}

void activate_other_window(HWND leaving) {
    HWND next = nullptr;
    {
        std::lock_guard lock(window_manager_lock());
        InputState& state = input_state();
        Window* window = find_window(leaving);
        Window* active = find_window(state.active);
        if (state.active && (!window || !active || top_level_of(active) != top_level_of(window)))
            return;
        auto usable = [&](Window* w) {
            return w && w != window && !w->destroying && w->is_top_level() &&
                   (w->style & WS_VISIBLE) && !(w->style & (WS_DISABLED | WS_MINIMIZE));
        };
        if (window && usable(find_window(window->owner))) {
            next = window->owner;
        } else {
            for (auto& w : desktop_window()->children) {
                if (usable(w.get()) && !(w->ex_style & WS_EX_TOOLWINDOW)) {
                    next = w->handle;
                    break;
                }
            }
        }
    }
    activate_window(next, WA_ACTIVE);
}

HWND change_focus(HWND hwnd) {
    HWND old;
    {
        std::lock_guard lock(window_manager_lock());
        InputState& state = input_state();
        old = state.focus;
        if (old == hwnd)
            return old;
        state.focus = hwnd;
    }
    if (old && IsWindow(old))
        notify_window(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    bool still_focused;
    {
        std::lock_guard lock(window_manager_lock());
        still_focused = hwnd && input_state().focus == hwnd && find_window(hwnd);
    }
    if (still_focused)
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND input_focus_window() {
    std::lock_guard lock(window_manager_lock());
    return input_state().focus;
}

HWND input_active_window() {
    std::lock_guard lock(window_manager_lock());
    return input_state().active;
}

HWND input_capture_window() {
    std::lock_guard lock(window_manager_lock());
    return input_state().capture;
}

} // namespace mullion

using namespace mullion;

HWND WINAPI SetFocus(HWND hWnd) {
    if (hWnd) {
        HWND top = nullptr;
        {
            std::lock_guard lock(window_manager_lock());
            Window* window = find_window(hWnd);
            if (!window || window->is_desktop()) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
            if (window->thread_id != GetCurrentThreadId()) {
                SetLastError(ERROR_ACCESS_DENIED);
                return nullptr;
            }
            for (Window* w = window; w && !w->is_desktop(); w = w->parent) {
                if ((w->style & WS_DISABLED) || (w != window && (w->style & WS_MINIMIZE)))
                    return nullptr;
            }
            Window* root = top_level_of(window);
            if (input_state().active != root->handle)
                top = root->handle;
        }
        if (top) {
            activate_window(top, WA_ACTIVE);
            if (!IsWindow(hWnd))
                return nullptr;
        }
    }
    HWND old = change_focus(hWnd);
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(old);
}

HWND WINAPI GetFocus(void) {
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(input_state().focus);
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (hWnd && (!window || !window->is_top_level() ||
                     window->thread_id != GetCurrentThreadId() || (window->style & WS_DISABLED))) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    HWND old = activate_window(hWnd, WA_ACTIVE);
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(old);
}

HWND WINAPI GetActiveWindow(void) {
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(input_state().active);
}

HWND WINAPI GetForegroundWindow(void) {
    std::lock_guard lock(window_manager_lock());
    return input_state().active;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    HWND top;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window || window->is_desktop())
            return FALSE;
        top = top_level_of(window)->handle;
    }
    activate_window(top, WA_ACTIVE);
    return TRUE;
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND old;
    {
        std::lock_guard lock(window_manager_lock());
        if (hWnd && !find_window(hWnd))
            return nullptr;
        old = input_state().capture;
        input_state().capture = hWnd;
    }
    if (old && old != hWnd && IsWindow(old))
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(old);
}

BOOL WINAPI ReleaseCapture(void) {
    HWND old;
    {
        std::lock_guard lock(window_manager_lock());
        old = input_state().capture;
        input_state().capture = nullptr;
    }
    if (old && IsWindow(old))
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    std::lock_guard lock(window_manager_lock());
    return if_current_thread(input_state().capture);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    bool was_disabled;
    bool loses_focus = false;
    bool loses_capture = false;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        was_disabled = window->style & WS_DISABLED;
        if (was_disabled == !bEnable)
            return was_disabled;
        if (!bEnable) {
            Window* focus = find_window(input_state().focus);
            loses_focus = focus && (focus == window || is_descendant(window, focus));
            loses_capture = input_state().capture == hWnd;
        }
    }
    if (!bEnable)
        SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window)
            return was_disabled;
        if (bEnable)
            window->style &= ~DWORD(WS_DISABLED);
        else
            window->style |= WS_DISABLED;
    }
    if (loses_focus)
        change_focus(nullptr);
    if (loses_capture && GetCapture() == hWnd)
        ReleaseCapture();
    SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return was_disabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    return window && !(window->style & WS_DISABLED);
}
