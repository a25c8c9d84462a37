// Get/SetWindowLong(Ptr)A: a window's fields and extra bytes by index.
#include "window.h"

#include <cstring>

namespace mullion {

namespace {
bool extra_range_ok(const Window* window, int index, size_t size) {
    if (index < 0 || size_t(index) + size > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

LONG_PTR read_field(const Window* window, int index, size_t extra_size) {
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(window->is_child() ? window->parent->handle
                                                             : window->owner);
    case GWLP_ID:
        return window->id;
    case GWL_STYLE:
        return LONG_PTR(LONG(window->style));
    case GWL_EXSTYLE:
        return LONG_PTR(LONG(window->ex_style));
    case GWLP_USERDATA:
        return window->user_data;
    default:
        if (!extra_range_ok(window, index, extra_size))
            return 0;
        if (extra_size == sizeof(LONG)) {
            LONG value;
            std::memcpy(&value, window->extra.data() + index, sizeof(value));
            return value;
        }
        LONG_PTR value;
        std::memcpy(&value, window->extra.data() + index, sizeof(value));
        return value;
    }
}

LONG_PTR get_window_long(HWND hwnd, int index, size_t extra_size) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return read_field(window, index, extra_size);
}

// Style changes are announced with WM_STYLECHANGING (which may amend them) and
// WM_STYLECHANGED.
LONG_PTR set_style(HWND hwnd, int index, DWORD requested) {
    STYLESTRUCT change{};
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return 0;
        change.styleOld = index == GWL_STYLE ? window->style : window->ex_style;
    }
    change.styleNew = requested;
    SendMessageA(hwnd, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&change));
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return 0;
        (index == GWL_STYLE ? window->style : window->ex_style) = change.styleNew;
    }
    SendMessageA(hwnd, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&change));
    return LONG_PTR(LONG(change.styleOld));
}

LONG_PTR set_window_long(HWND hwnd, int index, LONG_PTR value, size_t extra_size) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return set_style(hwnd, index, DWORD(value));
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    if (!window || window->is_desktop()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const LONG_PTR old = read_field(window, index, extra_size);
    switch (index) {
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        if (!window->is_child()) {
            Window* owner = find_window(reinterpret_cast<HWND>(value));
            window->owner = owner && !owner->is_desktop() ? top_level_of(owner)->handle : nullptr;
        }
        break;
    case GWLP_ID:
        window->id = value;
        break;
    case GWLP_USERDATA:
        window->user_data = value;
        break;
    default:
        if (!extra_range_ok(window, index, extra_size))
            return 0;
        if (extra_size == sizeof(LONG)) {
            const LONG narrow = LONG(value);
            std::memcpy(window->extra.data() + index, &narrow, sizeof(narrow));
        } else {
            std::memcpy(window->extra.data() + index, &value, sizeof(value));
        }
        break;
    }
    SetLastError(0);
    return old;
}
} // namespace

} // namespace mullion

using namespace mullion;

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return LONG(get_window_long(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return LONG(set_window_long(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return get_window_long(hWnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return set_window_long(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    if (!window || !window->is_child())
        return 0;
    return int(window->id);
}
