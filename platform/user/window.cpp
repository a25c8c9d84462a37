#include "window.h"

#include "desktop.h"

#include <algorithm>

namespace mullion {

namespace {
std::vector<DWORD>& pending_wakes() {
    static std::vector<DWORD> wakes;
    return wakes;
}
} // namespace

std::mutex& window_manager_lock() {
    static std::mutex lock;
    return lock;
}

DWORD window_thread_id(HWND hwnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    return window ? window->thread_id : 0;
}

Window* find_window(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    auto window = HandleTable::instance().get<Window>(hwnd);
    // The HandleTable keeps the object alive until the window is destroyed, which happens
    // under the lock the caller holds.
    return window.get();
}

POINT client_origin(const Window* window) {
    POINT origin{0, 0};
    for (const Window* w = window; w && w->parent; w = w->parent) {
        origin.x += w->client.left;
        origin.y += w->client.top;
    }
    return origin;
}

RECT window_rect_on_screen(const Window* window) {
    if (!window->parent)
        return window->rect;
    const POINT origin = client_origin(window->parent);
    RECT r = window->rect;
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

RECT client_rect_on_screen(const Window* window) {
    if (!window->parent)
        return window->client;
    const POINT origin = client_origin(window->parent);
    RECT r = window->client;
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

RECT window_rect_in_client(const Window* window) {
    RECT r = window->rect;
    OffsetRect(&r, -window->client.left, -window->client.top);
    return r;
}

bool is_visible(const Window* window) {
    for (const Window* w = window; w && w->parent; w = w->parent) {
        if (!(w->style & WS_VISIBLE))
            return false;
    }
    return window != nullptr;
}

bool is_enabled(const Window* window) {
    return window && !(window->style & WS_DISABLED);
}

Window* top_level_of(Window* window) {
    while (window && window->parent && !window->is_top_level())
        window = window->parent;
    return window;
}

bool is_descendant(const Window* ancestor, const Window* window) {
    for (const Window* w = window ? window->parent : nullptr; w; w = w->parent) {
        if (w == ancestor)
            return true;
    }
    return false;
}

std::shared_ptr<Window> shared_window(Window* window) {
    return window ? HandleTable::instance().get<Window>(window->handle) : nullptr;
}

void unlink_window(Window* window) {
    if (!window->parent)
        return;
    auto& siblings = window->parent->children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                  [&](const auto& w) { return w.get() == window; }),
                   siblings.end());
}

void link_window(const std::shared_ptr<Window>& window, Window* parent, ZPlace place,
                 Window* after) {
    window->parent = parent;
    auto& siblings = parent->children;
    const bool topmost_band = parent->is_desktop();
    const bool topmost = topmost_band && (window->ex_style & WS_EX_TOPMOST);
    auto is_topmost = [&](const std::shared_ptr<Window>& w) {
        return topmost_band && (w->ex_style & WS_EX_TOPMOST);
    };
    // The band this window belongs to: topmost windows come first.
    auto band_begin = siblings.begin();
    auto band_end = siblings.end();
    if (topmost_band) {
        auto first_normal = std::find_if(siblings.begin(), siblings.end(),
                                         [&](const auto& w) { return !is_topmost(w); });
        if (topmost)
            band_end = first_normal;
        else
            band_begin = first_normal;
    }
    auto position = band_begin;
    if (place == ZPlace::Bottom) {
        position = band_end;
    } else if (place == ZPlace::After && after) {
        auto it = std::find_if(siblings.begin(), siblings.end(),
                               [&](const auto& w) { return w.get() == after; });
        if (it != siblings.end())
            position = std::clamp(it + 1, band_begin, band_end);
    }
    siblings.insert(position, window);
}

void collect_subtree(Window* window, std::vector<Window*>& out) {
    out.push_back(window);
    for (auto& child : window->children)
        collect_subtree(child.get(), out);
}

void wake_after_unlock(DWORD thread_id) {
    if (thread_id)
        pending_wakes().push_back(thread_id);
}

WindowManagerGuard::WindowManagerGuard() : m_lock(window_manager_lock()) {}

WindowManagerGuard::~WindowManagerGuard() {
    release();
}

void WindowManagerGuard::release() {
    if (!m_lock.owns_lock())
        return;
    paint_pending_desktop();
    std::vector<DWORD> wakes;
    wakes.swap(pending_wakes());
    m_lock.unlock();
    std::sort(wakes.begin(), wakes.end());
    wakes.erase(std::unique(wakes.begin(), wakes.end()), wakes.end());
    for (DWORD thread : wakes)
        wake_thread(thread);
}

} // namespace mullion
