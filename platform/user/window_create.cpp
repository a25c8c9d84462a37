// CreateWindowExA and DestroyWindow: building and tearing down windows in Win32's message order.
#include "../display/screen.h"
#include "focus.h"
#include "paint.h"
#include "window.h"
#include "window_hook.h"
#include "window_position.h"

#include <algorithm>

namespace mullion {

namespace {
struct Geometry {
    int x, y, width, height;
};

// Overlapped windows given CW_USEDEFAULT cascade down from the top-left corner of the screen,
// one caption step apart, and default to three quarters of the screen.
Geometry default_geometry(DWORD style, Geometry requested) {
    const bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    Geometry g = requested;
    if (!overlapped) {
        if (g.x == CW_USEDEFAULT)
            g.x = g.y = 0;
        if (g.width == CW_USEDEFAULT)
            g.width = g.height = 0;
        return g;
    }
    const Screen& screen = Screen::instance();
    if (g.width == CW_USEDEFAULT) {
        g.width = screen.width() * 3 / 4;
        g.height = screen.height() * 3 / 4;
    }
    if (g.x == CW_USEDEFAULT) {
        static int cascade = 0;
        const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
        ++cascade;
        if (cascade * step + g.width > screen.width() ||
            cascade * step + g.height > screen.height())
            cascade = 1;
        g.x = g.y = cascade * step;
    }
    return g;
}

void send_parent_notify(HWND hwnd, UINT event) {
    HWND parent;
    LONG_PTR id;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window || !window->is_child() || (window->ex_style & WS_EX_NOPARENTNOTIFY))
            return;
        parent = window->parent->handle;
        id = window->id;
    }
    SendMessageA(parent, WM_PARENTNOTIFY, MAKELONG(event, WORD(id)),
                 reinterpret_cast<LPARAM>(hwnd));
}

// Frees every window of the subtree: unlinks it and retires its handle.
void free_subtree(Window* window) {
    std::vector<Window*> windows;
    collect_subtree(window, windows);
    auto keep_alive = shared_window(window);
    unlink_window(window);
    for (Window* w : windows) {
        forget_input_state(w);
        if (w->window_class)
            w->window_class->window_count--;
        if (w->own_dc)
            DeleteDC(w->own_dc);
        w->own_dc = nullptr;
        HandleTable::instance().remove(w->handle);
    }
    for (auto& top : desktop_window()->children) {
        if (find_window(top->owner) == nullptr)
            top->owner = nullptr;
    }
}
} // namespace

} // namespace mullion

using namespace mullion;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
    ensure_system_classes();
    ensure_message_queue();
    DWORD style = dwStyle;
    DWORD ex_style = dwExStyle;
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CAPTION | WS_CLIPSIBLINGS;
    if ((ex_style & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME)))
        ex_style |= WS_EX_WINDOWEDGE;
    Geometry g = default_geometry(style, {X, Y, nWidth, nHeight});

    HWND hwnd;
    LPCSTR class_menu = nullptr;
    {
        WindowManagerGuard guard;
        auto window_class = find_window_class(lpClassName, hInstance);
        if (!window_class) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        Window* parent = desktop_window();
        HWND owner = nullptr;
        if (style & WS_CHILD) {
            parent = find_window(hWndParent);
            if (!parent) {
                SetLastError(hWndParent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
                return nullptr;
            }
        } else if (hWndParent) {
            Window* given = find_window(hWndParent);
            if (!given) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
            if (!given->is_desktop())
                owner = top_level_of(given)->handle;
        }
        auto window = std::make_shared<Window>();
        window->window_class = window_class;
        window->procedure = window_class->procedure;
        // WS_VISIBLE, WS_MINIMIZE and WS_MAXIMIZE take effect once WM_CREATE has succeeded.
        window->style = style & ~DWORD(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        window->ex_style = ex_style;
        window->instance = hInstance;
        window->thread_id = GetCurrentThreadId();
        window->owner = owner;
        window->id = reinterpret_cast<LONG_PTR>(hMenu);
        window->rect = {g.x, g.y, g.x + std::max(g.width, 0), g.y + std::max(g.height, 0)};
        window->client = window->rect;
        window->normal_rect = window->rect;
        window->extra.assign(size_t(window_class->window_extra_bytes), 0);
        window->handle = static_cast<HWND>(HandleTable::instance().insert(window));
        window_class->window_count++;
        // Children stack up in creation order (the first on top, as a dialog's tab order);
        // new top-level windows go on top.
        link_window(window, parent, (style & WS_CHILD) ? ZPlace::Bottom : ZPlace::Top);
        hwnd = window->handle;
        if (!(style & WS_CHILD) && !hMenu)
            class_menu = window_class->menu_resource();
    }
    if (class_menu) {
        HMENU menu = LoadMenuA(hInstance, class_menu);
        std::lock_guard lock(window_manager_lock());
        if (Window* window = find_window(hwnd))
            window->id = reinterpret_cast<LONG_PTR>(menu);
    }

    CREATESTRUCTA cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.style = LONG(dwStyle);
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = ex_style;

    // The creating thread's creation hook sees the window before any message reaches it; a
    // nonzero answer refuses the window.
    CBT_CREATEWNDA creation{&cs, HWND_TOP};
    if (call_hooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd),
                   reinterpret_cast<LPARAM>(&creation))) {
        WindowManagerGuard guard;
        if (Window* window = find_window(hwnd))
            free_subtree(window);
        return nullptr;
    }

    const bool resizable = (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD));
    if (resizable) {
        const MINMAXINFO limits = query_min_max_info(hwnd);
        if (!IsWindow(hwnd))
            return nullptr;
        g.width = std::clamp<int>(g.width, limits.ptMinTrackSize.x,
                                  std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
        g.height = std::clamp<int>(g.height, limits.ptMinTrackSize.y,
                                   std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
        std::lock_guard lock(window_manager_lock());
        if (Window* window = find_window(hwnd)) {
            window->rect.right = window->rect.left + g.width;
            window->rect.bottom = window->rect.top + g.height;
            window->client = window->normal_rect = window->rect;
        }
    }
    cs.x = g.x;
    cs.y = g.y;
    cs.cx = g.width;
    cs.cy = g.height;

    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (IsWindow(hwnd)) {
            SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
            WindowManagerGuard guard;
            if (Window* window = find_window(hwnd))
                free_subtree(window);
        }
        return nullptr;
    }
    RECT rect;
    if (!GetWindowRect(hwnd, &rect))
        return nullptr;
    {
        // WM_NCCALCSIZE works in the parent's client coordinates.
        std::lock_guard lock(window_manager_lock());
        rect = find_window(hwnd)->rect;
    }
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return nullptr;
        RECT client = rect;
        client.left = std::clamp(client.left, window->rect.left, window->rect.right);
        client.right = std::clamp(client.right, client.left, window->rect.right);
        client.top = std::clamp(client.top, window->rect.top, window->rect.bottom);
        client.bottom = std::clamp(client.bottom, client.top, window->rect.bottom);
        window->client = client;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    send_parent_notify(hwnd, WM_CREATE);
    if (dwStyle & WS_VISIBLE) {
        ShowWindow(hwnd, (dwStyle & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                         : (dwStyle & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                                   : SW_SHOW);
    } else if (dwStyle & (WS_MAXIMIZE | WS_MINIMIZE)) {
        set_hidden_show_state(hwnd, (dwStyle & WS_MAXIMIZE) ? ShowState::Maximized
                                                            : ShowState::Minimized);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

namespace {
void send_destroy(HWND hwnd) {
    std::vector<HWND> children;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return;
        window->destroying = true;
        for (auto& child : window->children)
            children.push_back(child->handle);
    }
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : children)
        send_destroy(child);
}

void send_nc_destroy(HWND hwnd) {
    std::vector<HWND> children;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window)
            return;
        for (auto& child : window->children)
            children.push_back(child->handle);
    }
    for (HWND child : children)
        send_nc_destroy(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
}
} // namespace

BOOL WINAPI DestroyWindow(HWND hWnd) {
    bool visible;
    std::vector<HWND> owned;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window || window->is_desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (window->thread_id != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (window->destroying)
            return FALSE;
        window->destroying = true;
        visible = window->style & WS_VISIBLE;
        if (window->is_top_level()) {
            for (auto& w : desktop_window()->children) {
                if (w->owner == hWnd) {
                    if (w->thread_id == window->thread_id && !w->destroying)
                        owned.push_back(w->handle);
                    else
                        w->owner = nullptr;
                }
            }
        }
    }
    send_parent_notify(hWnd, WM_DESTROY);
    if (visible) {
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    for (HWND w : owned)
        DestroyWindow(w);
    activate_other_window(hWnd);

    HWND focus_successor = nullptr;
    bool focus_inside = false;
    bool capture_inside = false;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window)
            return TRUE;
        Window* focus = find_window(focus_window_locked());
        focus_inside = focus && (focus == window || is_descendant(window, focus));
        if (focus_inside && window->is_child())
            focus_successor = window->parent->handle;
        Window* capture = find_window(capture_window_locked());
        capture_inside = capture && (capture == window || is_descendant(window, capture));
    }
    if (focus_inside)
        change_focus(focus_successor);
    if (capture_inside)
        ReleaseCapture();

    send_destroy(hWnd);
    send_nc_destroy(hWnd);

    std::vector<HWND> freed;
    HMENU menu = nullptr;
    {
        WindowManagerGuard guard;
        Window* window = find_window(hWnd);
        if (!window)
            return TRUE;
        // A top-level window's menu goes with it.
        if (!window->is_child())
            menu = reinterpret_cast<HMENU>(window->id);
        std::vector<Window*> windows;
        collect_subtree(window, windows);
        for (Window* w : windows)
            freed.push_back(w->handle);
        // A child destroyed while visible leaves its area to the parent and siblings.
        free_subtree(window);
    }
    for (HWND w : freed)
        discard_window_messages(w);
    if (menu && IsMenu(menu))
        DestroyMenu(menu);
    return TRUE;
}
