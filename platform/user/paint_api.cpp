// Update regions through the API: invalidation, validation, queries and immediate painting.
#include "../gdi/region_object.h"
#include "paint.h"
#include "paint_dc.h"

namespace mullion {

namespace {
RECT client_area(const Window* window) {
    return {0, 0, window->client.right - window->client.left,
            window->client.bottom - window->client.top};
}

// The area a RedrawWindow-style call names, in client coordinates: the rectangle, the region,
// or the whole client area (the whole window with RDW_FRAME).
bool requested_area(const Window* window, const RECT* rect, HRGN region, UINT flags, Region& area) {
    if (region) {
        auto object = HandleTable::instance().get<RegionObject>(region);
        if (!object)
            return false;
        area = object->region;
    } else if (rect) {
        area = Region(*rect);
    } else {
        area = Region((flags & RDW_FRAME) ? window_rect_in_client(window) : client_area(window));
    }
    return true;
}

void collect_for_update(Window* window, bool children, std::vector<HWND>& out) {
    if (!is_visible(window))
        return;
    if (!window->is_desktop())
        out.push_back(window->handle);
    if (!children)
        return;
    for (auto& child : window->children)
        collect_for_update(child.get(), true, out);
}

// Sends WM_NCPAINT and WM_ERASEBKGND now for a window whose erasing is pending.
void erase_now(HWND hwnd) {
    bool frame;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window || !window->erase_pending)
            return;
        frame = window->frame_pending;
        window->frame_pending = false;
    }
    if (frame)
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    HDC dc = update_region_dc(hwnd);
    if (!dc)
        return;
    const bool erased = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    ReleaseDC(hwnd, dc);
    if (erased) {
        std::lock_guard lock(window_manager_lock());
        if (Window* window = find_window(hwnd))
            window->erase_pending = false;
    }
}

// A frame left pending once the client area was validated is drawn at once: otherwise the
// window would stay due for WM_PAINT with nothing its procedure could validate.
void paint_orphaned_frame(HWND hwnd) {
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hwnd);
        if (!window || !window->frame_pending || !window->update.empty() || window->internal_paint)
            return;
        window->frame_pending = false;
    }
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

void paint_now(const std::vector<HWND>& windows, bool erase_only) {
    for (HWND hwnd : windows) {
        bool due;
        {
            std::lock_guard lock(window_manager_lock());
            Window* window = find_window(hwnd);
            due = window && needs_paint(window);
        }
        if (!due)
            continue;
        if (erase_only)
            erase_now(hwnd);
        else
            SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
}
} // namespace

} // namespace mullion

using namespace mullion;

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    std::vector<HWND> to_update;
    {
        WindowManagerGuard guard;
        Window* window = hWnd ? find_window(hWnd) : desktop_window();
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        Region area;
        if (!requested_area(window, lprcUpdate, hrgnUpdate, flags, area))
            return FALSE;
        if (window->is_desktop()) {
            // The desktop stands for the whole screen: its windows repaint what they show.
            if (flags & RDW_INVALIDATE) {
                window->update = window->update.united(area);
                if (flags & RDW_ALLCHILDREN)
                    invalidate_screen_area(area);
            }
        } else {
            redraw_window_area(window, area, flags);
        }
        if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
            const bool children = (flags & RDW_ALLCHILDREN) ||
                                  (!(flags & RDW_NOCHILDREN) && !(window->style & WS_CLIPCHILDREN));
            collect_for_update(window, children || window->is_desktop(), to_update);
        }
    }
    if (flags & RDW_VALIDATE)
        paint_orphaned_frame(hWnd);
    if (flags & RDW_UPDATENOW)
        paint_now(to_update, false);
    else if (flags & RDW_ERASENOW)
        paint_now(to_update, true);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL WINAPI InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI ValidateRgn(HWND hWnd, HRGN hRgn) {
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    if (bErase)
        erase_now(hWnd);
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (lpRect)
        *lpRect = window->update.empty() ? RECT{0, 0, 0, 0} : window->update.bounds();
    return !window->update.empty();
}

int WINAPI GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    if (bErase)
        erase_now(hWnd);
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hWnd);
    auto object = HandleTable::instance().get<RegionObject>(hRgn);
    if (!window || !object)
        return ERROR;
    object->region = window->update;
    return object->region.complexity();
}

BOOL WINAPI LockWindowUpdate(HWND hWndLock) {
    // Drawing is never deferred here, so there is nothing to lock; the call succeeds for any
    // window and for null (unlock).
    return !hWndLock || IsWindow(hWndLock);
}
