#pragma once

#include "scroll_bar_geometry.h"
#include "windows.h"

namespace mullion {

// One scroll bar as the mouse tracking sees it: a window's standard bar or a scroll bar
// control. Coordinates of the geometry are those of the DC the host paints with.
class ScrollBarHost {
public:
    virtual ~ScrollBarHost() = default;

    // The window that captures the mouse while the bar is tracked.
    virtual HWND window() const = 0;
    virtual ScrollBarGeometry geometry() const = 0;
    virtual UINT disabled_arrows() const = 0;
    // A point in screen coordinates in the geometry's coordinates.
    virtual POINT from_screen(POINT screen) const = 0;
    virtual void paint(ScrollBarPart pressed) = 0;
    // Starts, moves or ends the thumb's tracking position.
    virtual void begin_tracking(int position) = 0;
    virtual void set_track_position(int position) = 0;
    virtual void end_tracking() = 0;
    // Sends WM_VSCROLL or WM_HSCROLL with the code (and the position for the thumb codes).
    virtual void notify(WORD code, int position) = 0;
};

// The modal tracking of a press on the bar at a screen point, until the button goes up: an
// arrow sends a line code and a page part of the track a page code, repeated on a timer while
// the button stays down over the part; dragging the thumb sends SB_THUMBTRACK for every new
// position and SB_THUMBPOSITION on release. SB_ENDSCROLL ends every tracking.
void track_scroll_bar(ScrollBarHost& host, POINT screen_point);

// The scroll code a press on a part sends (SB_LINEUP ... SB_PAGEDOWN); -1 for the thumb and none.
int scroll_code_for_part(ScrollBarPart part);

} // namespace mullion
