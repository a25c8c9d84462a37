// Queries of the window tree: relations, enumeration, coordinates and hit testing.
#include "paint.h"
#include "window.h"

#include <strings.h>

namespace mullion {

namespace {
Window* find_or_fail(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

// Null stands for the desktop in coordinate and enumeration functions.
Window* window_or_desktop(HWND hwnd) {
    return hwnd ? find_window(hwnd) : desktop_window();
}

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The deepest visible window under a screen point, starting below the given window.
Window* child_at_screen_point(Window* parent, POINT point) {
    if (!contains(client_rect_on_screen(parent), point))
        return parent;
    for (auto& child : parent->children) {
        if ((child->style & WS_VISIBLE) && contains(window_rect_on_screen(child.get()), point))
            return child_at_screen_point(child.get(), point);
    }
    return parent;
}

void collect_descendants(Window* window, std::vector<HWND>& out) {
    for (auto& child : window->children) {
        out.push_back(child->handle);
        collect_descendants(child.get(), out);
    }
}
} // namespace

} // namespace mullion

using namespace mullion;

BOOL WINAPI IsWindow(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    return find_window(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* parent = find_window(hWndParent);
    for (Window* w = find_window(hWnd); w && w->is_child(); w = w->parent) {
        if (w->parent == parent)
            return parent != nullptr;
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window || window->is_desktop())
        return nullptr;
    if (window->is_child())
        return window->parent->handle;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hwnd);
    if (!window || window->is_desktop())
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return window->parent->handle;
    case GA_ROOT:
        return top_level_of(window)->handle;
    case GA_ROOTOWNER: {
        Window* root = top_level_of(window);
        while (Window* owner = find_window(root->owner))
            root = top_level_of(owner);
        return root->handle;
    }
    default:
        return nullptr;
    }
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
    HWND old_parent;
    bool was_visible;
    {
        WindowManagerGuard guard;
        Window* window = find_or_fail(hWndChild);
        Window* parent = window_or_desktop(hWndNewParent);
        if (!window || !parent || window->is_desktop() || parent == window ||
            is_descendant(window, parent))
            return nullptr;
        if (window->thread_id != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        old_parent = window->parent->handle;
        was_visible = window->style & WS_VISIBLE;
        if (was_visible)
            invalidate_screen_area(Region(window_rect_on_screen(window)));
        auto shared = shared_window(window);
        unlink_window(window);
        link_window(shared, parent, ZPlace::Top);
        if (was_visible)
            invalidate_subtree(window);
    }
    return old_parent;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window)
        return nullptr;
    if (uCmd == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front()->handle;
    if (uCmd == GW_OWNER)
        return window->owner;
    if (uCmd == GW_ENABLEDPOPUP) {
        for (auto& w : desktop_window()->children) {
            if (w->owner == hWnd && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED))
                return w->handle;
        }
        return nullptr;
    }
    if (window->is_desktop())
        return nullptr;
    const auto& siblings = window->parent->children;
    size_t index = 0;
    while (index < siblings.size() && siblings[index].get() != window)
        ++index;
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.front()->handle;
    case GW_HWNDLAST:
        return siblings.back()->handle;
    case GW_HWNDNEXT:
        return index + 1 < siblings.size() ? siblings[index + 1]->handle : nullptr;
    case GW_HWNDPREV:
        return index > 0 ? siblings[index - 1]->handle : nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = window_or_desktop(hWnd);
    if (!window || window->children.empty())
        return nullptr;
    return window->children.front()->handle;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    ensure_system_classes();
    std::lock_guard lock(window_manager_lock());
    std::shared_ptr<WindowClass> wanted_class;
    if (lpClassName) {
        wanted_class = find_window_class(lpClassName, nullptr);
        if (!wanted_class)
            return nullptr;
    }
    for (auto& w : desktop_window()->children) {
        if (w->destroying)
            continue;
        if (wanted_class && strcasecmp(w->window_class->name.c_str(), wanted_class->name.c_str()))
            continue;
        if (lpWindowName && strcasecmp(w->text.c_str(), lpWindowName))
            continue;
        return w->handle;
    }
    return nullptr;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    std::vector<HWND> windows;
    {
        std::lock_guard lock(window_manager_lock());
        for (auto& w : desktop_window()->children)
            windows.push_back(w->handle);
    }
    for (HWND w : windows) {
        if (IsWindow(w) && !lpEnumFunc(w, lParam))
            return FALSE;
    }
    return TRUE;
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    std::vector<HWND> windows;
    {
        std::lock_guard lock(window_manager_lock());
        Window* parent = window_or_desktop(hWndParent);
        if (!parent)
            return FALSE;
        collect_descendants(parent, windows);
    }
    for (HWND w : windows) {
        if (IsWindow(w) && !lpEnumFunc(w, lParam))
            return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    DWORD thread;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_or_fail(hWnd);
        if (!window)
            return 0;
        thread = window->thread_id;
    }
    if (lpdwProcessId)
        *lpdwProcessId = GetCurrentProcessId();
    return thread;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    return window && is_visible(window);
}

BOOL WINAPI IsIconic(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    return window && (window->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    return window && (window->style & WS_MAXIMIZE);
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window || !lpRect)
        return FALSE;
    *lpRect = window_rect_on_screen(window);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window || !lpRect)
        return FALSE;
    *lpRect = {0, 0, window->client.right - window->client.left,
               window->client.bottom - window->client.top};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window || !lpPoint)
        return FALSE;
    const POINT origin = client_origin(window);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_or_fail(hWnd);
    if (!window || !lpPoint)
        return FALSE;
    const POINT origin = client_origin(window);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    std::lock_guard lock(window_manager_lock());
    Window* from = window_or_desktop(hWndFrom);
    Window* to = window_or_desktop(hWndTo);
    if (!from || !to) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const POINT from_origin = client_origin(from);
    const POINT to_origin = client_origin(to);
    const int dx = from_origin.x - to_origin.x;
    const int dy = from_origin.y - to_origin.y;
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(WORD(SHORT(dx)), WORD(SHORT(dy)));
}

HWND WINAPI WindowFromPoint(POINT Point) {
    std::lock_guard lock(window_manager_lock());
    Window* desktop = desktop_window();
    for (auto& top : desktop->children) {
        if ((top->style & WS_VISIBLE) && contains(window_rect_on_screen(top.get()), Point))
            return child_at_screen_point(top.get(), Point)->handle;
    }
    return desktop->handle;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    std::lock_guard lock(window_manager_lock());
    Window* parent = find_or_fail(hWndParent);
    if (!parent)
        return nullptr;
    const RECT client = {0, 0, parent->client.right - parent->client.left,
                         parent->client.bottom - parent->client.top};
    if (!contains(client, Point))
        return nullptr;
    // Hidden and disabled children are found too.
    for (auto& child : parent->children) {
        if (contains(child->rect, Point))
            return child->handle;
    }
    return hWndParent;
}
