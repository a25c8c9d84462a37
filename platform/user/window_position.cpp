#include "window_position.h"

#include "focus.h"
#include "nonclient.h"
#include "paint.h"
#include "visible_region.h"

#include <algorithm>

namespace mullion {

namespace {
int width_of(const RECT& r) {
    return r.right - r.left;
}
int height_of(const RECT& r) {
    return r.bottom - r.top;
}

RECT client_size_rect(const RECT& client) {
    return {0, 0, width_of(client), height_of(client)};
}

// The screen pixels a window covers: its rectangle cut by its ancestors' client areas.
Region occupied_area(const Window* window) {
    if (!is_visible(window))
        return {};
    Region area(window_rect_on_screen(window));
    for (const Window* w = window->parent; w; w = w->parent)
        area = area.intersected(client_rect_on_screen(w));
    return area;
}

bool owned_by(const Window* window, const Window* owner) {
    for (Window* w = find_window(window->owner); w; w = find_window(w->owner)) {
        if (w == owner)
            return true;
        if (w == window)
            break;
    }
    return false;
}

// Owned windows stay above their owner: they follow it when it moves up.
void raise_owned_windows(Window* owner) {
    Window* desktop = owner->parent;
    std::vector<std::shared_ptr<Window>> owned;
    const bool topmost = owner->ex_style & WS_EX_TOPMOST;
    for (auto& w : desktop->children) {
        if (w.get() != owner && owned_by(w.get(), owner) &&
            bool(w->ex_style & WS_EX_TOPMOST) == topmost)
            owned.push_back(w);
    }
    for (auto& w : owned)
        unlink_window(w.get());
    auto& siblings = desktop->children;
    auto position = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& w) { return w.get() == owner; });
    siblings.insert(position, owned.begin(), owned.end());
}

void apply_z_order(Window* window, HWND insert_after, UINT flags) {
    const bool top_level = window->is_top_level();
    ZPlace place = ZPlace::Top;
    Window* after = nullptr;
    if (insert_after == HWND_TOPMOST) {
        if (top_level)
            window->ex_style |= WS_EX_TOPMOST;
    } else if (insert_after == HWND_NOTOPMOST) {
        window->ex_style &= ~DWORD(WS_EX_TOPMOST);
    } else if (insert_after == HWND_BOTTOM) {
        window->ex_style &= ~DWORD(WS_EX_TOPMOST);
        place = ZPlace::Bottom;
    } else if (insert_after != HWND_TOP) {
        after = find_window(insert_after);
        if (!after || after->parent != window->parent)
            return;
        place = ZPlace::After;
    }
    auto shared = shared_window(window);
    Window* parent = window->parent;
    unlink_window(window);
    link_window(shared, parent, place, after);
    if (top_level && place != ZPlace::Bottom && !(flags & SWP_NOOWNERZORDER))
        raise_owned_windows(window);
}

bool class_redraws_on(const Window* window, const RECT& old_rect, const RECT& new_rect) {
    const UINT style = window->window_class ? window->window_class->style : 0;
    return ((style & CS_HREDRAW) && width_of(old_rect) != width_of(new_rect)) ||
           ((style & CS_VREDRAW) && height_of(old_rect) != height_of(new_rect));
}

// The rectangle a minimized window takes: a captioned bar in the first free slot along the
// bottom of its parent's client area, from the left.
RECT iconic_rect(const Window* window) {
    int bar_width = GetSystemMetrics(SM_CXMINIMIZED);
    int bar_height = GetSystemMetrics(SM_CYMINIMIZED);
    if (bar_width <= 0)
        bar_width = 160;
    if (bar_height <= 0)
        bar_height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    const RECT area = client_size_rect(window->parent->client);
    for (int slot = 0;; ++slot) {
        const int left = slot * bar_width;
        const bool taken = std::any_of(
            window->parent->children.begin(), window->parent->children.end(), [&](auto& w) {
                return w.get() != window && (w->style & WS_MINIMIZE) && w->rect.left == left &&
                       w->rect.top == area.bottom - bar_height;
            });
        if (!taken || left + 2 * bar_width > area.right)
            return {left, area.bottom - bar_height, left + bar_width, area.bottom};
    }
}

struct PositionChange {
    WINDOWPOS pos{};
    RECT rect{};
    RECT client{};
};

// Sends WM_NCCALCSIZE for a new window rectangle; returns the client rectangle.
RECT calculate_client(HWND hwnd, const RECT& new_rect, const RECT& old_rect, const RECT& old_client,
                      WINDOWPOS* pos) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = new_rect;
    params.rgrc[1] = old_rect;
    params.rgrc[2] = old_client;
    params.lppos = pos;
    SendMessageA(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    RECT client = params.rgrc[0];
    // Keep the client area inside the window whatever the procedure answered.
    client.left = std::clamp(client.left, new_rect.left, new_rect.right);
    client.right = std::clamp(client.right, client.left, new_rect.right);
    client.top = std::clamp(client.top, new_rect.top, new_rect.bottom);
    client.bottom = std::clamp(client.bottom, client.top, new_rect.bottom);
    return client;
}

// Applies a position change under the lock and invalidates what it uncovered and what the
// window now shows afresh.
void apply_position_change(Window* window, const PositionChange& change) {
    const UINT flags = change.pos.flags;
    std::vector<std::pair<Window*, Region>> siblings_before;
    if (!(flags & SWP_NOZORDER)) {
        for (auto& sibling : window->parent->children)
            siblings_before.emplace_back(sibling.get(),
                                         visible_region(sibling.get(), VisibleArea::Whole));
    }
    const Region old_area = occupied_area(window);
    const bool was_visible = is_visible(window);
    const RECT old_rect = window->rect;
    const RECT old_client = window->client;
    const POINT old_origin = client_origin(window);

    window->rect = change.rect;
    window->client = change.client;
    if (!(flags & SWP_NOZORDER))
        apply_z_order(window, change.pos.hwndInsertAfter, flags);
    if (flags & SWP_SHOWWINDOW)
        window->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        window->style &= ~DWORD(WS_VISIBLE);
    if (window->show_state == ShowState::Normal && !(window->style & WS_MINIMIZE))
        window->normal_rect = window->rect;

    const bool now_visible = is_visible(window);
    if (!now_visible)
        drop_subtree_painting(window);
    if (flags & SWP_NOREDRAW)
        return;
    invalidate_screen_area(old_area.subtracted(occupied_area(window)));
    for (auto& [sibling, before] : siblings_before)
        invalidate_screen_area(visible_region(sibling, VisibleArea::Whole).subtracted(before),
                               sibling);
    if (!now_visible)
        return;
    const POINT origin = client_origin(window);
    const bool moved = old_rect.left != window->rect.left || old_rect.top != window->rect.top;
    const bool client_shifted = origin.x - window->rect.left != old_origin.x - old_rect.left ||
                                origin.y - window->rect.top != old_origin.y - old_rect.top;
    if (!was_visible || moved || client_shifted ||
        class_redraws_on(window, old_rect, window->rect)) {
        invalidate_subtree(window);
    } else if (!(old_rect == window->rect) || (flags & SWP_FRAMECHANGED)) {
        // Resized in place: the area added to the client and the frame repaint.
        const Region added = Region(window_rect_in_client(window))
                                 .subtracted(client_size_rect(old_client))
                                 .united(Region(client_size_rect(window->client))
                                             .subtracted(client_size_rect(old_client)));
        redraw_window_area(window, added, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        if (flags & SWP_FRAMECHANGED)
            window->frame_pending = !(window->rect == window->client);
    }
}

} // namespace

MINMAXINFO default_min_max_info(const Window* window) {
    MINMAXINFO info{};
    const RECT insets = nonclient_insets(window->style, window->ex_style, false);
    const int frame_x = insets.left;
    const int frame_y = insets.bottom;
    const Window* area_owner = window->parent ? window->parent : window;
    const int area_width = width_of(area_owner->client);
    const int area_height = height_of(area_owner->client);
    info.ptMaxSize = {area_width + 2 * frame_x, area_height + 2 * frame_y};
    info.ptMaxPosition = {-frame_x, -frame_y};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    const Window* desktop = desktop_window();
    info.ptMaxTrackSize = {width_of(desktop->client) + 2 * frame_x,
                           height_of(desktop->client) + 2 * frame_y};
    return info;
}

MINMAXINFO query_min_max_info(HWND hwnd) {
    MINMAXINFO info{};
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return info;
        info = default_min_max_info(window);
    }
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

} // namespace mullion

using namespace mullion;

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
    PositionChange change;
    bool top_level;
    RECT old_rect, old_client;
    bool iconic;
    {
        WindowManagerGuard guard;
        Window* window = find_window(hWnd);
        if (!window || window->is_desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        UINT flags = uFlags;
        const bool visible = window->style & WS_VISIBLE;
        if ((flags & SWP_SHOWWINDOW) && visible)
            flags &= ~UINT(SWP_SHOWWINDOW);
        if ((flags & SWP_HIDEWINDOW) && (!visible || (flags & SWP_SHOWWINDOW)))
            flags &= ~UINT(SWP_HIDEWINDOW);
        cx = std::max(cx, 0);
        cy = std::max(cy, 0);
        if (cx == width_of(window->rect) && cy == height_of(window->rect))
            flags |= SWP_NOSIZE;
        if (X == window->rect.left && Y == window->rect.top)
            flags |= SWP_NOMOVE;
        if (hWndInsertAfter == hWnd)
            flags |= SWP_NOZORDER;
        top_level = window->is_top_level();
        if (!top_level || window == find_window(active_window_locked()) ||
            (flags & SWP_HIDEWINDOW) || (!visible && !(flags & SWP_SHOWWINDOW)))
            flags |= SWP_NOACTIVATE;
        change.pos = {hWnd, hWndInsertAfter, X, Y, cx, cy, flags};
        if (flags & SWP_NOMOVE) {
            change.pos.x = window->rect.left;
            change.pos.y = window->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            change.pos.cx = width_of(window->rect);
            change.pos.cy = height_of(window->rect);
        }
        old_rect = window->rect;
        old_client = window->client;
        iconic = window->style & WS_MINIMIZE;
    }
    if (!(change.pos.flags & SWP_NOSENDCHANGING)) {
        SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&change.pos));
        if (!IsWindow(hWnd))
            return FALSE;
    }
    UINT& flags = change.pos.flags;
    change.rect = {change.pos.x, change.pos.y, change.pos.x + std::max(change.pos.cx, 0),
                   change.pos.y + std::max(change.pos.cy, 0)};
    if (flags & SWP_NOMOVE)
        OffsetRect(&change.rect, old_rect.left - change.rect.left, old_rect.top - change.rect.top);
    if (flags & SWP_NOSIZE) {
        change.rect.right = change.rect.left + width_of(old_rect);
        change.rect.bottom = change.rect.top + height_of(old_rect);
    }
    if (iconic) {
        change.client = {change.rect.left, change.rect.top, change.rect.left, change.rect.top};
    } else if (!(flags & SWP_NOSIZE) || (flags & SWP_FRAMECHANGED)) {
        change.client = calculate_client(hWnd, change.rect, old_rect, old_client, &change.pos);
        if (!IsWindow(hWnd))
            return FALSE;
    } else {
        change.client = old_client;
        OffsetRect(&change.client, change.rect.left - old_rect.left,
                   change.rect.top - old_rect.top);
    }
    {
        WindowManagerGuard guard;
        Window* window = find_window(hWnd);
        if (!window)
            return FALSE;
        apply_position_change(window, change);
    }
    if (top_level && !(flags & SWP_NOACTIVATE))
        activate_window(hWnd, WA_ACTIVE);
    else if (flags & SWP_HIDEWINDOW)
        activate_other_window(hWnd);

    if (width_of(change.client) == width_of(old_client) &&
        height_of(change.client) == height_of(old_client))
        flags |= swp_no_client_size;
    if (change.client.left == old_client.left && change.client.top == old_client.top)
        flags |= swp_no_client_move;
    change.pos.x = change.rect.left;
    change.pos.y = change.rect.top;
    change.pos.cx = width_of(change.rect);
    change.pos.cy = height_of(change.rect);
    SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&change.pos));
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {
// Moves the window into a new show state (minimized, maximized, restored), remembering the
// restored rectangle; returns the SetWindowPos flags and rectangle to finish with.
bool enter_show_state(HWND hwnd, ShowState target, RECT& rect) {
    MINMAXINFO limits{};
    if (target == ShowState::Maximized)
        limits = query_min_max_info(hwnd);
    WindowManagerGuard guard;
    Window* window = find_window(hwnd);
    if (!window)
        return false;
    if (window->show_state == ShowState::Normal)
        window->normal_rect = window->rect;
    switch (target) {
    case ShowState::Minimized:
        window->restore_to_maximized = window->show_state == ShowState::Maximized;
        window->style = (window->style | WS_MINIMIZE) & ~DWORD(WS_MAXIMIZE);
        rect = iconic_rect(window);
        window->minimized_position = {rect.left, rect.top};
        break;
    case ShowState::Maximized:
        window->style = (window->style | WS_MAXIMIZE) & ~DWORD(WS_MINIMIZE);
        rect = {limits.ptMaxPosition.x, limits.ptMaxPosition.y,
                limits.ptMaxPosition.x + limits.ptMaxSize.x,
                limits.ptMaxPosition.y + limits.ptMaxSize.y};
        window->maximized_position = limits.ptMaxPosition;
        break;
    case ShowState::Normal:
        window->style &= ~DWORD(WS_MINIMIZE | WS_MAXIMIZE);
        window->restore_to_maximized = false;
        rect = window->normal_rect;
        break;
    }
    window->show_state = target;
    return true;
}

void send_size_and_move(HWND hwnd) {
    RECT client;
    ShowState state;
    {
        WindowManagerGuard guard;
        Window* window = find_window(hwnd);
        if (!window || !window->size_messages_pending)
            return;
        window->size_messages_pending = false;
        client = window->client;
        state = window->show_state;
    }
    const WPARAM type = state == ShowState::Minimized   ? SIZE_MINIMIZED
                        : state == ShowState::Maximized ? SIZE_MAXIMIZED
                                                        : SIZE_RESTORED;
    SendMessageA(hwnd, WM_SIZE, type, MAKELONG(width_of(client), height_of(client)));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELONG(client.left, client.top));
}
} // namespace

namespace mullion {
// CreateWindowExA's WS_MINIMIZE / WS_MAXIMIZE on a window created hidden.
void set_hidden_show_state(HWND hwnd, ShowState state) {
    RECT rect;
    if (enter_show_state(hwnd, state, rect))
        SetWindowPos(hwnd, nullptr, rect.left, rect.top, width_of(rect), height_of(rect),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
} // namespace mullion

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    bool was_visible, top_level, was_active;
    ShowState state;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window || window->is_desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        was_visible = window->style & WS_VISIBLE;
        top_level = window->is_top_level();
        state = window->show_state;
        was_active = active_window_locked() == hWnd;
    }
    bool show = true;
    bool activate = true;
    ShowState target = state;
    switch (nCmdShow) {
    case SW_HIDE:
        show = false;
        activate = false;
        break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
        activate = false;
        target = ShowState::Minimized;
        break;
    case SW_SHOWMINIMIZED:
        target = ShowState::Minimized;
        break;
    case SW_SHOWMAXIMIZED:
        target = ShowState::Maximized;
        break;
    case SW_SHOWNA:
        activate = false;
        break;
    case SW_SHOW:
        break;
    case SW_SHOWNOACTIVATE:
        activate = false;
        [[fallthrough]];
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (state == ShowState::Minimized) {
            std::lock_guard lock(window_manager_lock());
            Window* window = find_window(hWnd);
            target =
                window && window->restore_to_maximized ? ShowState::Maximized : ShowState::Normal;
        } else {
            target = ShowState::Normal;
        }
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!show && !was_visible)
        return FALSE;
    if (show != was_visible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, show, 0);
        if (!IsWindow(hWnd))
            return was_visible;
    }
    UINT flags = show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    if (!activate || !top_level)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    if (target != state) {
        RECT rect;
        if (!enter_show_state(hWnd, target, rect))
            return was_visible;
        SetWindowPos(hWnd, HWND_TOP, rect.left, rect.top, width_of(rect), height_of(rect),
                     flags | SWP_FRAMECHANGED);
    } else {
        SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (!IsWindow(hWnd))
        return was_visible;
    if (show)
        send_size_and_move(hWnd);
    if (nCmdShow == SW_MINIMIZE && was_active)
        activate_other_window(hWnd);
    // A minimized active window holds no focus; once restored it takes the focus back, as an
    // activation of a window that is not minimized does.
    if (state == ShowState::Minimized && target != state && top_level &&
        GetActiveWindow() == hWnd && !GetFocus())
        SetFocus(hWnd);
    return was_visible;
}

BOOL WINAPI GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    if (!window || !lpwndpl) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpwndpl->flags = window->restore_to_maximized ? WPF_RESTORETOMAXIMIZED : 0;
    lpwndpl->showCmd = window->show_state == ShowState::Minimized   ? SW_SHOWMINIMIZED
                       : window->show_state == ShowState::Maximized ? SW_SHOWMAXIMIZED
                                                                    : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = window->minimized_position;
    lpwndpl->ptMaxPosition = window->maximized_position;
    lpwndpl->rcNormalPosition =
        window->show_state == ShowState::Normal ? window->rect : window->normal_rect;
    return TRUE;
}

BOOL WINAPI SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    if (!lpwndpl)
        return FALSE;
    ShowState state;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        window->normal_rect = lpwndpl->rcNormalPosition;
        if (lpwndpl->flags & WPF_SETMINPOSITION)
            window->minimized_position = lpwndpl->ptMinPosition;
        window->restore_to_maximized = lpwndpl->flags & WPF_RESTORETOMAXIMIZED;
        state = window->show_state;
    }
    if (state == ShowState::Normal) {
        const RECT& r = lpwndpl->rcNormalPosition;
        SetWindowPos(hWnd, nullptr, r.left, r.top, width_of(r), height_of(r),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hWnd, int(lpwndpl->showCmd));
    return TRUE;
}
