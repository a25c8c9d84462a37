#include "window_scroll_bar.h"

#include "nonclient_layout.h"
#include "scroll_bar_paint.h"
#include "scroll_bar_state.h"
#include "window.h"

namespace mullion {

namespace {

DWORD style_bit(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

ScrollBarDirection direction_of(int bar) {
    return bar == SB_HORZ ? ScrollBarDirection::Horizontal : ScrollBarDirection::Vertical;
}

} // namespace

bool WindowScrollBar::read(ScrollBarState& state) const {
    std::lock_guard lock(window_manager_lock());
    const Window* window = find_window(m_hwnd);
    if (!window)
        return false;
    state = window->scroll_bars ? window->scroll_bars->bar(m_bar) : ScrollBarState();
    return true;
}

bool WindowScrollBar::change(const std::function<void(ScrollBarState&)>& edit) {
    std::lock_guard lock(window_manager_lock());
    Window* window = find_window(m_hwnd);
    if (!window)
        return false;
    if (!window->scroll_bars)
        window->scroll_bars = std::make_shared<WindowScrollBars>();
    edit(window->scroll_bars->bar(m_bar));
    return true;
}

bool WindowScrollBar::shown() const {
    return (DWORD(GetWindowLongA(m_hwnd, GWL_STYLE)) & style_bit(m_bar)) != 0;
}

void WindowScrollBar::show(bool visible) {
    {
        std::lock_guard lock(window_manager_lock());
        Window* window = find_window(m_hwnd);
        if (!window)
            return;
        const DWORD bit = style_bit(m_bar);
        if (((window->style & bit) != 0) == visible)
            return;
        window->style = visible ? (window->style | bit) : (window->style & ~bit);
    }
    // The frame is laid out again: the client area changes and the window hears WM_SIZE.
    SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

RECT WindowScrollBar::rect() const {
    const NonclientLayout layout = nonclient_layout(m_hwnd);
    return m_bar == SB_HORZ ? layout.horizontal_scroll : layout.vertical_scroll;
}

ScrollBarGeometry WindowScrollBar::geometry() const {
    ScrollBarState state;
    read(state);
    return ScrollBarGeometry(rect(), direction_of(m_bar), state, IsWindowEnabled(m_hwnd) != FALSE);
}

UINT WindowScrollBar::disabled_arrows() const {
    ScrollBarState state;
    read(state);
    return state.disabled_arrows();
}

POINT WindowScrollBar::from_screen(POINT screen) const {
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    return POINT{screen.x - window.left, screen.y - window.top};
}

void WindowScrollBar::paint_on(HDC dc, ScrollBarPart pressed) {
    ScrollBarState state;
    if (!read(state))
        return;
    const RECT bar = rect();
    if (IsRectEmpty(&bar))
        return;
    const bool enabled = IsWindowEnabled(m_hwnd) != FALSE;
    paint_scroll_bar(dc, ScrollBarGeometry(bar, direction_of(m_bar), state, enabled), pressed,
                     state.disabled_arrows(), enabled);
}

void WindowScrollBar::paint(ScrollBarPart pressed) {
    if (!IsWindowVisible(m_hwnd))
        return;
    HDC dc = GetWindowDC(m_hwnd);
    if (!dc)
        return;
    paint_on(dc, pressed);
    ReleaseDC(m_hwnd, dc);
}

void WindowScrollBar::repaint() {
    paint(ScrollBarPart::None);
}

void WindowScrollBar::begin_tracking(int position) {
    change([&](ScrollBarState& state) { state.begin_tracking(position); });
}

void WindowScrollBar::set_track_position(int position) {
    change([&](ScrollBarState& state) { state.set_track_position(position); });
}

void WindowScrollBar::end_tracking() {
    change([](ScrollBarState& state) { state.end_tracking(); });
}

void WindowScrollBar::notify(WORD code, int position) {
    const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
    SendMessageA(m_hwnd, m_bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(code, thumb ? WORD(position) : 0), 0);
}

void paint_window_scroll_bars(HWND hwnd, HDC window_dc) {
    const NonclientLayout layout = nonclient_layout(hwnd);
    if (!IsRectEmpty(&layout.vertical_scroll))
        WindowScrollBar(hwnd, SB_VERT).paint_on(window_dc, ScrollBarPart::None);
    if (!IsRectEmpty(&layout.horizontal_scroll))
        WindowScrollBar(hwnd, SB_HORZ).paint_on(window_dc, ScrollBarPart::None);
    if (!IsRectEmpty(&layout.size_box))
        FillRect(window_dc, &layout.size_box, GetSysColorBrush(COLOR_3DFACE));
}

} // namespace mullion
