#include "paint.h"

#include "visible_region.h"

namespace mullion {

namespace {
RECT client_area(const Window* window) {
    return {0, 0, window->client.right - window->client.left,
            window->client.bottom - window->client.top};
}

bool has_frame(const Window* window) {
    return !(window->rect == window->client);
}

void mark_due(Window* window) {
    if (needs_paint(window))
        wake_after_unlock(window->thread_id);
}

bool children_included(const Window* window, UINT flags) {
    if (flags & RDW_ALLCHILDREN)
        return true;
    return !(flags & RDW_NOCHILDREN) && !(window->style & WS_CLIPCHILDREN);
}
} // namespace

bool needs_paint(const Window* window) {
    return !window->update.empty() || window->internal_paint || window->frame_pending;
}

void redraw_window_area(Window* window, const Region& area, UINT flags) {
    if (!is_visible(window) || window->is_desktop())
        return;
    if ((flags & RDW_INVALIDATE) && !window->redraw_disabled) {
        const Region client_part = area.intersected(client_area(window));
        if (!client_part.empty()) {
            window->update = window->update.united(client_part);
            if (flags & RDW_ERASE)
                window->erase_pending = true;
        }
        if ((flags & RDW_FRAME) && has_frame(window) &&
            !area.intersected(window_rect_in_client(window))
                 .subtracted(client_area(window))
                 .empty())
            window->frame_pending = true;
    }
    if (flags & RDW_INTERNALPAINT)
        window->internal_paint = true;
    if (flags & RDW_VALIDATE) {
        window->update = window->update.subtracted(area);
        if (window->update.empty())
            window->erase_pending = false;
        if (flags & RDW_NOFRAME)
            window->frame_pending = false;
        if (flags & RDW_NOINTERNALPAINT)
            window->internal_paint = false;
    }
    if (flags & RDW_NOERASE)
        window->erase_pending = false;
    mark_due(window);

    if (!children_included(window, flags))
        return;
    // Children see the area in their own client coordinates; what covers a child's frame
    // repaints that frame too.
    const UINT child_flags = (flags & RDW_INVALIDATE) ? flags | RDW_FRAME : flags;
    for (auto& child : window->children) {
        if (!(child->style & WS_VISIBLE))
            continue;
        Region child_area = area.intersected(child->rect);
        if (child_area.empty())
            continue;
        child_area.offset(-child->client.left, -child->client.top);
        redraw_window_area(child.get(), child_area, child_flags);
    }
}

void invalidate_subtree(Window* window) {
    std::vector<Window*> windows;
    collect_subtree(window, windows);
    for (Window* w : windows) {
        if (!is_visible(w) || w->redraw_disabled)
            continue;
        if (w->is_desktop()) {
            w->update = Region(w->client);
            continue;
        }
        const RECT area = client_area(w);
        w->update = Region(area);
        w->erase_pending = !w->update.empty() || w->erase_pending;
        w->frame_pending = w->frame_pending || has_frame(w);
        mark_due(w);
    }
}

void invalidate_screen_area(const Region& area, Window* root) {
    if (area.empty())
        return;
    std::vector<Window*> windows;
    collect_subtree(root ? root : desktop_window(), windows);
    for (Window* w : windows) {
        if (w->redraw_disabled)
            continue;
        const Region shown = visible_region(w, VisibleArea::Whole).intersected(area);
        if (shown.empty())
            continue;
        const RECT client = client_rect_on_screen(w);
        Region client_part = shown.intersected(client);
        if (!client_part.empty()) {
            client_part.offset(-client.left, -client.top);
            w->update = w->update.united(client_part);
            w->erase_pending = true;
        }
        if (!shown.subtracted(client).empty())
            w->frame_pending = true;
        mark_due(w);
    }
}

void drop_subtree_painting(Window* window) {
    std::vector<Window*> windows;
    collect_subtree(window, windows);
    for (Window* w : windows) {
        w->update.clear();
        w->erase_pending = false;
        w->frame_pending = false;
        w->internal_paint = false;
    }
}

namespace {
Window* find_window_needing_paint(Window* window, DWORD thread_id) {
    if (!(window->style & WS_VISIBLE) && !window->is_desktop())
        return nullptr;
    if (window->thread_id == thread_id && !window->is_desktop() && needs_paint(window))
        return window;
    for (auto& child : window->children) {
        if (Window* found = find_window_needing_paint(child.get(), thread_id))
            return found;
    }
    return nullptr;
}
} // namespace

HWND next_window_needing_paint(DWORD thread_id, HWND filter) {
    std::lock_guard lock(window_manager_lock());
    Window* root = desktop_window();
    if (filter) {
        root = find_window(filter);
        if (!root || !is_visible(root))
            return nullptr;
    }
    Window* found = find_window_needing_paint(root, thread_id);
    return found ? found->handle : nullptr;
}

bool thread_needs_paint(DWORD thread_id) {
    return next_window_needing_paint(thread_id, nullptr) != nullptr;
}

} // namespace mullion
