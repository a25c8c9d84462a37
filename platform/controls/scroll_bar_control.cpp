// The "ScrollBar" control: its SBM_ messages, painting and mouse tracking.
#include "scroll_bar_control.h"

#include "control_class.h"

#include "../user/scroll_bar_paint.h"
#include "../user/scroll_bar_tracker.h"
#include "../user/system_classes.h"

namespace mullion {

namespace {

bool is_vertical(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & SBS_VERT) != 0;
}

class ControlScrollBar : public ScrollBarHost {
public:
    ControlScrollBar(HWND hwnd, ScrollBarControlState& state) : m_hwnd(hwnd), m_state(state) {}

    HWND window() const override { return m_hwnd; }
    ScrollBarGeometry geometry() const override {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        return ScrollBarGeometry(client,
                                 is_vertical(m_hwnd) ? ScrollBarDirection::Vertical
                                                     : ScrollBarDirection::Horizontal,
                                 m_state.bar, IsWindowEnabled(m_hwnd) != FALSE);
    }
    UINT disabled_arrows() const override { return m_state.bar.disabled_arrows(); }
    POINT from_screen(POINT screen) const override {
        ScreenToClient(m_hwnd, &screen);
        return screen;
    }
    void paint(ScrollBarPart pressed) override {
        if (!IsWindowVisible(m_hwnd))
            return;
        HDC dc = GetDC(m_hwnd);
        paint_on(dc, pressed);
        ReleaseDC(m_hwnd, dc);
    }
    void paint_on(HDC dc, ScrollBarPart pressed) const {
        paint_scroll_bar(dc, geometry(), pressed, m_state.bar.disabled_arrows(),
                         IsWindowEnabled(m_hwnd) != FALSE);
    }
    void begin_tracking(int position) override { m_state.bar.begin_tracking(position); }
    void set_track_position(int position) override { m_state.bar.set_track_position(position); }
    void end_tracking() override { m_state.bar.end_tracking(); }
    void notify(WORD code, int position) override {
        const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
        SendMessageA(GetParent(m_hwnd), is_vertical(m_hwnd) ? WM_VSCROLL : WM_HSCROLL,
                     MAKEWPARAM(code, thumb ? WORD(position) : 0),
                     reinterpret_cast<LPARAM>(m_hwnd));
    }

private:
    HWND m_hwnd;
    ScrollBarControlState& m_state;
};

void redraw_if(HWND hwnd, bool redraw) {
    if (redraw)
        InvalidateRect(hwnd, nullptr, FALSE);
}

int set_info(HWND hwnd, ScrollBarControlState& state, const SCROLLINFO& info, bool redraw) {
    const int position = state.bar.set_info(info);
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        // A control never hides itself; with nothing to scroll it may only be disabled.
        if (state.bar.covers_range() && (info.fMask & SIF_DISABLENOSCROLL))
            state.bar.set_disabled_arrows(ESB_DISABLE_BOTH);
        else if (!state.bar.covers_range() && state.bar.disabled_arrows() == ESB_DISABLE_BOTH)
            state.bar.set_disabled_arrows(ESB_ENABLE_BOTH);
    }
    redraw_if(hwnd, redraw);
    return position;
}

LRESULT handle(HWND hwnd, ScrollBarControlState& state, UINT message, WPARAM wparam,
               LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        ControlScrollBar(hwnd, state).paint_on(dc, ScrollBarPart::None);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the bar covers its whole window
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ClientToScreen(hwnd, &screen);
        ControlScrollBar host(hwnd, state);
        track_scroll_bar(host, screen);
        return 0;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case SBM_SETSCROLLINFO: {
        const auto* info = reinterpret_cast<const SCROLLINFO*>(lparam);
        return info ? set_info(hwnd, state, *info, wparam != 0) : 0;
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lparam);
        if (!info)
            return FALSE;
        state.bar.get_info(*info);
        return (info->fMask & SIF_ALL) != 0;
    }
    case SBM_SETPOS: {
        const int previous = state.bar.position();
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, int(wparam), 0};
        set_info(hwnd, state, info, lparam != 0);
        return previous;
    }
    case SBM_GETPOS:
        return state.bar.position();
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        const int previous = state.bar.position();
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, int(wparam), int(lparam), 0, 0, 0};
        set_info(hwnd, state, info, message == SBM_SETRANGEREDRAW);
        return previous;
    }
    case SBM_GETRANGE:
        if (wparam)
            *reinterpret_cast<LPINT>(wparam) = state.bar.min();
        if (lparam)
            *reinterpret_cast<LPINT>(lparam) = state.bar.max();
        return 0;
    case SBM_ENABLE_ARROWS: {
        const bool changed = state.bar.disabled_arrows() != (UINT(wparam) & ESB_DISABLE_BOTH);
        state.bar.set_disabled_arrows(UINT(wparam));
        InvalidateRect(hwnd, nullptr, FALSE);
        return changed;
    }
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace

LRESULT CALLBACK scroll_bar_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<ScrollBarControlState, handle>(hwnd, message, wparam, lparam);
}

void register_scroll_bar_class() {
    register_control_class("ScrollBar", &scroll_bar_window_proc);
}

} // namespace mullion
