// Device contexts of windows: GetDC, GetWindowDC, BeginPaint and their release.
#include "paint_dc.h"

#include "../display/screen.h"
#include "paint.h"

namespace mullion {

namespace {
bool uses_own_dc(const Window* window) {
    return window->window_class && (window->window_class->style & (CS_OWNDC | CS_CLASSDC));
}

// A context for the target: the window's own one when its class keeps one, else a new one.
HDC make_dc(Window* window, const DisplayTarget& target) {
    if (window && uses_own_dc(window)) {
        if (!window->own_dc)
            window->own_dc = create_display_dc(target);
        else
            retarget_display_dc(window->own_dc, target);
        return window->own_dc;
    }
    return create_display_dc(target);
}
} // namespace

DisplayTarget window_display_target(const Window* window, VisibleArea area, const Region* clip) {
    DisplayTarget target;
    target.surface = &Screen::instance().surface();
    target.window = window->handle;
    const RECT frame = window_rect_on_screen(window);
    target.origin =
        area == VisibleArea::Client ? client_origin(window) : POINT{frame.left, frame.top};
    const Window* clipper = window;
    // CS_PARENTDC children draw through their parent's visible region.
    if (window->is_child() && window->window_class && (window->window_class->style & CS_PARENTDC) &&
        area == VisibleArea::Client)
        clipper = window->parent;
    target.visible = visible_region(clipper, area);
    if (clipper != window)
        target.visible = target.visible.intersected(window_rect_on_screen(window));
    if (clip) {
        Region screen_clip = *clip;
        const POINT origin = client_origin(window);
        screen_clip.offset(origin.x, origin.y);
        target.visible = target.visible.intersected(screen_clip);
    }
    return target;
}

HDC update_region_dc(HWND hwnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(hwnd);
    if (!window)
        return nullptr;
    return make_dc(window, window_display_target(window, VisibleArea::Client, &window->update));
}

} // namespace mullion

using namespace mullion;

HDC WINAPI GetDC(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = hWnd ? find_window(hWnd) : desktop_window();
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (window->is_desktop()) {
        // The screen's context draws anywhere on the screen, over every window.
        DisplayTarget target;
        target.surface = &Screen::instance().surface();
        target.visible = Region(window->client);
        target.window = window->handle;
        return create_display_dc(target);
    }
    return make_dc(window, window_display_target(window, VisibleArea::Client));
}

HDC WINAPI GetWindowDC(HWND hWnd) {
    std::lock_guard lock(window_manager_lock());
    Window* window = hWnd ? find_window(hWnd) : desktop_window();
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return create_display_dc(window_display_target(window, VisibleArea::Whole));
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    if (!hDC)
        return 0;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd ? hWnd : display_dc_window(hDC));
        // A window's own context lives as long as the window.
        if (window && window->own_dc == hDC)
            return 1;
    }
    if (!display_dc_window(hDC))
        return 0;
    return DeleteDC(hDC) ? 1 : 0;
}

HWND WINAPI WindowFromDC(HDC hDC) {
    return display_dc_window(hDC);
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (!lpPaint)
        return nullptr;
    bool frame;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        frame = window->frame_pending;
        window->frame_pending = false;
    }
    if (frame)
        SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    // The caret must not be part of what the window paints over.
    HideCaret(hWnd);
    bool erase;
    HDC dc;
    Region update;
    {
        WindowManagerGuard guard;
        Window* window = find_window(hWnd);
        if (!window)
            return nullptr;
        const RECT client = {0, 0, window->client.right - window->client.left,
                             window->client.bottom - window->client.top};
        update = window->update.intersected(client);
        erase = window->erase_pending;
        window->update.clear();
        window->erase_pending = false;
        window->internal_paint = false;
        dc = make_dc(window, window_display_target(window, VisibleArea::Client, &update));
    }
    *lpPaint = {};
    lpPaint->hdc = dc;
    lpPaint->rcPaint = update.bounds();
    if (erase)
        lpPaint->fErase = SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint)
        return FALSE;
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(hWnd);
        // The own context goes back to drawing on the whole visible client area.
        if (window && window->own_dc == lpPaint->hdc) {
            retarget_display_dc(window->own_dc, window_display_target(window, VisibleArea::Client));
        }
    }
    ReleaseDC(hWnd, lpPaint->hdc);
    ShowCaret(hWnd);
    return TRUE;
}
