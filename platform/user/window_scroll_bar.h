#pragma once

#include "scroll_bar_tracker.h"
#include "windows.h"

#include <functional>

namespace mullion {

// A window's standard scroll bar (SB_HORZ or SB_VERT) in the non-client area.
class WindowScrollBar : public ScrollBarHost {
public:
    WindowScrollBar(HWND hwnd, int bar) : m_hwnd(hwnd), m_bar(bar) {}

    // The bar's state; the initial state when the window has not used its bars yet. False when
    // hwnd is not a window.
    bool read(ScrollBarState& state) const;
    // Changes the state under the window manager's lock.
    bool change(const std::function<void(ScrollBarState&)>& edit);
    // Whether the window shows the bar (its WS_VSCROLL or WS_HSCROLL style).
    bool shown() const;
    // Shows or hides the bar; the client area grows or shrinks by the bar's width.
    void show(bool visible);
    // The bar's rectangle in window coordinates; empty when it does not show.
    RECT rect() const;
    // Draws the bar now, if the window is visible and shows it.
    void repaint();

    HWND window() const override { return m_hwnd; }
    ScrollBarGeometry geometry() const override;
    UINT disabled_arrows() const override;
    POINT from_screen(POINT screen) const override;
    void paint(ScrollBarPart pressed) override;
    void begin_tracking(int position) override;
    void set_track_position(int position) override;
    void end_tracking() override;
    void notify(WORD code, int position) override;

    // Draws the bar through a window DC the caller holds.
    void paint_on(HDC dc, ScrollBarPart pressed);

private:
    HWND m_hwnd;
    int m_bar;
};

// Draws the window's standard scroll bars and the square between them through a window DC
// (part of painting the frame).
void paint_window_scroll_bars(HWND hwnd, HDC window_dc);

} // namespace mullion
