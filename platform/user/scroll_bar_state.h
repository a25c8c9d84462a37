#pragma once

#include "windows.h"

namespace mullion {

// What a scroll bar shows: its range, page, position and the thumb's position while it is
// dragged, with Win32's clamping rules. The same state serves the standard bars of a window
// and the scroll bar control.
class ScrollBarState {
public:
    // A window's standard bar starts with the range 0 to 100; a control's range is empty.
    enum class Owner { Window, Control };
    explicit ScrollBarState(Owner owner = Owner::Window)
        : m_max(owner == Owner::Window ? 100 : 0) {}

    int min() const { return m_min; }
    int max() const { return m_max; }
    UINT page() const { return m_page; }
    int position() const { return m_position; }
    int track_position() const { return m_track_position; }
    bool tracking() const { return m_tracking; }
    // ESB_DISABLE_LTUP and ESB_DISABLE_RTDN bits.
    UINT disabled_arrows() const { return m_disabled_arrows; }

    // SetScrollInfo's arithmetic: applies the fields the mask names, then keeps the page within
    // the range's size and the position within [min, max - page + 1]. Returns the position.
    int set_info(const SCROLLINFO& info);
    // Fills the fields the mask names.
    void get_info(SCROLLINFO& info) const;
    // The largest position the page allows.
    int max_position() const;
    // Whether the page shows the whole range, so that nothing is left to scroll.
    bool covers_range() const;

    void set_disabled_arrows(UINT arrows) { m_disabled_arrows = arrows & ESB_DISABLE_BOTH; }
    void begin_tracking(int position);
    void set_track_position(int position) { m_track_position = position; }
    void end_tracking() { m_tracking = false; }

private:
    int m_min = 0;
    int m_max;
    UINT m_page = 0;
    int m_position = 0;
    int m_track_position = 0;
    bool m_tracking = false;
    UINT m_disabled_arrows = 0;
};

// The two standard bars of a window (WS_HSCROLL and WS_VSCROLL show them).
class WindowScrollBars {
public:
    ScrollBarState horizontal;
    ScrollBarState vertical;

    ScrollBarState& bar(int which) { return which == SB_HORZ ? horizontal : vertical; }
};

} // namespace mullion
