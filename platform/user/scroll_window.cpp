// Scrolling pixels: ScrollWindowEx, ScrollWindow and ScrollDC.
#include "../display/screen.h"
#include "../gdi/device_context.h"
#include "../gdi/draw_session.h"
#include "../gdi/region_object.h"
#include "paint.h"
#include "visible_region.h"

#include <algorithm>

namespace mullion {

namespace {

// Copies the pixels that land in `destination` from dx, dy pixels back. Every source pixel is
// read before any is written, as the areas overlap.
void move_pixels(Surface& surface, const Region& destination, int dx, int dy) {
    std::vector<uint32_t> pixels;
    for (const RECT& r : destination.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint32_t* row = surface.row(y - dy) + r.left - dx;
            pixels.insert(pixels.end(), row, row + (r.right - r.left));
        }
    }
    const uint32_t* next = pixels.data();
    for (const RECT& r : destination.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::copy(next, next + (r.right - r.left), surface.row(y) + r.left);
            next += r.right - r.left;
        }
    }
}

// Hands the uncovered area to the caller's region and rectangle; returns its complexity.
int report_update(const Region& update, HRGN region, LPRECT rect) {
    if (region) {
        if (auto object = HandleTable::instance().get<RegionObject>(region))
            object->region = update;
    }
    if (rect)
        *rect = update.empty() ? RECT{0, 0, 0, 0} : update.bounds();
    return update.complexity();
}

struct ScrolledWindow {
    Region update; // client coordinates
    std::vector<HWND> children;
};

// Moves what the window shows of the scrolled area, and its pending update region, by the
// amount. Returns the uncovered area: destination pixels whose source was not on view, and the
// part of the scrolled area nothing moved into.
bool scroll_window_pixels(HWND hwnd, int dx, int dy, const RECT* scroll_rect, const RECT* clip_rect,
                          UINT flags, ScrolledWindow& result) {
    WindowManagerGuard guard;
    Window* window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    const RECT client{0, 0, window->client.right - window->client.left,
                      window->client.bottom - window->client.top};
    RECT scrolled = scroll_rect ? *scroll_rect : client;
    IntersectRect(&scrolled, &scrolled, &client);
    RECT clip = clip_rect ? *clip_rect : client;
    IntersectRect(&clip, &clip, &client);

    const POINT origin = client_origin(window);
    Region source = Region(scrolled).intersected(clip);
    source.offset(origin.x, origin.y);
    const Region visible = visible_region(window, VisibleArea::Client);
    RECT clip_on_screen = clip;
    OffsetRect(&clip_on_screen, origin.x, origin.y);
    Region moved = source.intersected(visible);
    moved.offset(dx, dy);
    moved = moved.intersected(clip_on_screen).intersected(visible);

    Surface& surface = Screen::instance().surface();
    {
        std::unique_lock<std::mutex> lock;
        if (surface.lock())
            lock = std::unique_lock(*surface.lock());
        move_pixels(surface, moved, dx, dy);
    }
    if (!moved.empty())
        surface.notify_changed(moved.bounds());

    Region destination = source;
    destination.offset(dx, dy);
    destination = destination.intersected(clip_on_screen).intersected(visible);
    Region uncovered = source.intersected(visible).united(destination).subtracted(moved);

    // The pending update moves with the pixels.
    Region update_on_screen = window->update;
    update_on_screen.offset(origin.x, origin.y);
    Region moving_update = update_on_screen.intersected(source);
    const Region staying_update = update_on_screen.subtracted(source);
    moving_update.offset(dx, dy);
    Region pending = moving_update.intersected(clip_on_screen).united(staying_update);

    uncovered.offset(-origin.x, -origin.y);
    pending.offset(-origin.x, -origin.y);
    result.update = uncovered;
    window->update.clear();
    const UINT erase = (flags & SW_ERASE) ? RDW_ERASE : 0;
    if (flags & SW_INVALIDATE)
        pending = pending.united(uncovered);
    redraw_window_area(window, pending, RDW_INVALIDATE | erase | RDW_NOCHILDREN);
    if (flags & SW_SCROLLCHILDREN) {
        for (auto& child : window->children) {
            const RECT r = child->rect;
            // Children overlapping the scrolled rectangle move (all of them without one).
            RECT overlap;
            if (!scroll_rect || IntersectRect(&overlap, &r, &scrolled))
                result.children.push_back(child->handle);
        }
    }
    return true;
}

} // namespace

} // namespace mullion

using namespace mullion;

int WINAPI ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                          HRGN hrgnUpdate, LPRECT prcUpdate, UINT flags) {
    // The caret is hidden while the pixels move and follows them when it lay in the scrolled
    // area.
    const bool caret_hidden = HideCaret(hWnd) != FALSE;
    if (caret_hidden) {
        POINT caret{};
        RECT client{};
        GetCaretPos(&caret);
        GetClientRect(hWnd, &client);
        const RECT& area = prcScroll ? *prcScroll : client;
        if (PtInRect(&area, caret))
            SetCaretPos(caret.x + dx, caret.y + dy);
    }
    ScrolledWindow scrolled;
    const bool done = scroll_window_pixels(hWnd, dx, dy, prcScroll, prcClip, flags, scrolled);
    for (HWND child : scrolled.children) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rect), 2);
        SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                     SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (caret_hidden)
        ShowCaret(hWnd);
    if (!done)
        return ERROR;
    return report_update(scrolled.update, hrgnUpdate, prcUpdate);
}

BOOL WINAPI ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect,
                         const RECT* lpClipRect) {
    // Scrolling the whole client area carries the children along.
    const UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) !=
           ERROR;
}

BOOL WINAPI ScrollDC(HDC hDC, int dx, int dy, const RECT* lprcScroll, const RECT* lprcClip,
                     HRGN hrgnUpdate, LPRECT lprcUpdate) {
    auto dc = HandleTable::instance().get<DeviceContext>(hDC);
    if (!dc || !dc->target_surface())
        return FALSE;
    // In device coordinates of the context, then on its surface.
    const Surface* target = dc->target_surface();
    const RECT whole{0, 0, target->width(), target->height()};
    const POINT origin = dc->device_origin();
    auto on_surface = [&](const RECT* logical) {
        RECT r = whole;
        if (logical) {
            r = dc->logical_to_device(*logical);
            OffsetRect(&r, origin.x, origin.y);
        }
        return r;
    };
    const RECT scroll = on_surface(lprcScroll);
    const RECT clip = on_surface(lprcClip);
    Region uncovered;
    {
        DrawSession session(*dc, whole);
        const Region reachable = session.clip();
        const Region source = Region(scroll).intersected(Region(clip)).intersected(reachable);
        Region moved = source;
        moved.offset(dx, dy);
        moved = moved.intersected(Region(clip)).intersected(reachable);
        move_pixels(session.surface(), moved, dx, dy);
        Region destination = Region(scroll).intersected(Region(clip));
        destination.offset(dx, dy);
        uncovered = Region(scroll)
                        .intersected(Region(clip))
                        .united(destination.intersected(Region(clip)))
                        .subtracted(moved);
    }
    uncovered.offset(-origin.x, -origin.y);
    report_update(uncovered, hrgnUpdate, lprcUpdate);
    return TRUE;
}
