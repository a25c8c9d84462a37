// DefWindowProcA: the default answer to every message, after the frame's own handling.
#include "focus.h"
#include "nonclient.h"
#include "paint.h"
#include "window.h"
#include "window_position.h"

#include <cstring>

namespace mullion {

namespace {
void store_text(HWND hwnd, LPCSTR text) {
    WindowManagerGuard guard;
    if (Window* window = find_window(hwnd)) {
        window->text = text ? text : "";
        if (!(window->rect == window->client) && is_visible(window)) {
            window->frame_pending = true;
            wake_after_unlock(window->thread_id);
        }
    }
}

LRESULT get_text(HWND hwnd, WPARAM capacity, LPSTR buffer) {
    if (!buffer || capacity == 0)
        return 0;
    std::string text;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return 0;
        text = window->text;
    }
    size_t count = std::min(text.size(), size_t(capacity) - 1);
    // Never end the copy inside a UTF-8 sequence.
    while (count > 0 && count < text.size() && (BYTE(text[count]) & 0xC0) == 0x80)
        --count;
    std::memcpy(buffer, text.data(), count);
    buffer[count] = 0;
    return LRESULT(count);
}

LRESULT text_length(HWND hwnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    return window ? LRESULT(window->text.size()) : 0;
}

HBRUSH resolve_brush(HBRUSH brush) {
    // (HBRUSH)(COLOR_x + 1) names a system colour.
    const auto value = reinterpret_cast<ULONG_PTR>(brush);
    if (value > 0 && value <= COLOR_INFOBK + 1)
        return GetSysColorBrush(int(value - 1));
    return brush;
}

LRESULT erase_background(HWND hwnd, HDC dc) {
    HBRUSH brush;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window || !window->window_class)
            return 0;
        brush = window->window_class->background;
    }
    if (!brush)
        return 0;
    RECT area;
    if (GetClipBox(dc, &area) == ERROR)
        GetClientRect(hwnd, &area);
    FillRect(dc, &area, resolve_brush(brush));
    return 1;
}

void send_size_and_move(HWND hwnd, const WINDOWPOS& pos) {
    RECT client;
    ShowState state;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return;
        client = window->client;
        state = window->show_state;
        if (!(pos.flags & swp_no_client_size))
            window->size_messages_pending = false;
    }
    if (!(pos.flags & swp_no_client_size)) {
        const WPARAM type = state == ShowState::Minimized   ? SIZE_MINIMIZED
                            : state == ShowState::Maximized ? SIZE_MAXIMIZED
                                                            : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, type,
                     MAKELONG(client.right - client.left, client.bottom - client.top));
    }
    if (!(pos.flags & swp_no_client_move))
        SendMessageA(hwnd, WM_MOVE, 0, MAKELONG(client.left, client.top));
}

HWND parent_of_child(HWND hwnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    return window && window->is_child() ? window->parent->handle : nullptr;
}

LRESULT set_cursor(HWND hwnd, WPARAM wparam, LPARAM lparam) {
    // A parent may decide the cursor for its children.
    if (HWND parent = parent_of_child(hwnd)) {
        if (SendMessageA(parent, WM_SETCURSOR, wparam, lparam))
            return TRUE;
    }
    if (LOWORD(lparam) != HTCLIENT)
        return FALSE;
    HCURSOR cursor;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        cursor = window && window->window_class ? window->window_class->cursor : nullptr;
    }
    if (!cursor)
        return FALSE;
    SetCursor(cursor);
    return TRUE;
}

LRESULT set_icon(HWND hwnd, WPARAM which, HICON icon) {
    WindowManagerGuard guard;
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    HICON& slot = which == ICON_SMALL ? window->small_icon : window->big_icon;
    HICON old = slot;
    slot = icon;
    if (!(window->rect == window->client) && is_visible(window)) {
        window->frame_pending = true;
        wake_after_unlock(window->thread_id);
    }
    return reinterpret_cast<LRESULT>(old);
}

LRESULT get_icon(HWND hwnd, WPARAM which) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    if (!window)
        return 0;
    return reinterpret_cast<LRESULT>(which == ICON_BIG ? window->big_icon : window->small_icon);
}

LRESULT control_colour(HDC dc, UINT message) {
    const int background =
        message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void set_redraw(HWND hwnd, bool enabled) {
    std::lock_guard lock(window_manager_lock());
    if (Window* window = find_window(hwnd))
        window->redraw_disabled = !enabled;
}

LRESULT hit_test(HWND hwnd, LPARAM lparam) {
    POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    RECT window_rect;
    if (!GetWindowRect(hwnd, &window_rect) || !PtInRect(&window_rect, point))
        return HTNOWHERE;
    ScreenToClient(hwnd, &point);
    RECT client;
    GetClientRect(hwnd, &client);
    return PtInRect(&client, point) ? HTCLIENT : HTBORDER;
}
} // namespace

} // namespace mullion

using namespace mullion;

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
    if (!lpPrevWndFunc)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    // The text is stored before the frame's handling so that its caption shows the new one.
    if (Msg == WM_SETTEXT)
        store_text(hWnd, reinterpret_cast<LPCSTR>(lParam));
    LRESULT result = 0;
    if (nonclient_window_proc(hWnd, Msg, wParam, lParam, &result))
        return Msg == WM_SETTEXT ? TRUE : result;

    switch (Msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            store_text(hWnd, cs->lpszName);
        return TRUE;
    }
    case WM_NCCALCSIZE:
        // Without a frame the client area is the whole window, already in the rectangle.
        return 0;
    case WM_NCHITTEST:
        return hit_test(hWnd, lParam);
    case WM_NCACTIVATE:
        return TRUE;
    case WM_SETTEXT:
        return TRUE;
    case WM_GETTEXT:
        return get_text(hWnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return text_length(hWnd);
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_ERASEBKGND:
        return erase_background(hWnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps))
            EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        return set_cursor(hWnd, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (HWND parent = parent_of_child(hWnd)) {
            if (LRESULT answer = SendMessageA(parent, WM_MOUSEACTIVATE, wParam, lParam))
                return answer;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hWnd);
        return 0;
    case WM_WINDOWPOSCHANGED:
        send_size_and_move(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_SETICON:
        return set_icon(hWnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return get_icon(hWnd, wParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return control_colour(reinterpret_cast<HDC>(wParam), Msg);
    case WM_SETREDRAW:
        set_redraw(hWnd, wParam != 0);
        return 0;
    case WM_RBUTTONUP: {
        // A right click asks for the window's context menu, at the click in screen coordinates.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hWnd, &point);
        SendMessageA(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd),
                     MAKELPARAM(WORD(point.x), WORD(point.y)));
        return 0;
    }
    case WM_CONTEXTMENU:
        // A child that does not offer a menu passes the request on to its parent.
        if ((GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && GetParent(hWnd))
            return SendMessageA(GetParent(hWnd), WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    default:
        return 0;
    }
}
