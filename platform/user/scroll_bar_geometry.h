#pragma once

#include "scroll_bar_state.h"
#include "windows.h"

namespace mullion {

// The parts of a scroll bar, from the top (left) arrow to the bottom (right) one.
enum class ScrollBarPart { None, FirstArrow, FirstPage, Thumb, LastPage, LastArrow };

enum class ScrollBarDirection { Horizontal, Vertical };

// Where the parts of a scroll bar lie in its rectangle: square arrow buttons at both ends
// (halved when the bar is too short for both), the track between them, and the thumb in the
// track, sized in proportion to the page (a square thumb when the page is 0, never shorter
// than minimum_thumb) and placed in proportion to the position. A bar that is disabled, has
// nothing to scroll or whose track is shorter than the thumb shows no thumb.
class ScrollBarGeometry {
public:
    static constexpr int minimum_thumb = 8;

    ScrollBarGeometry(const RECT& bar, ScrollBarDirection direction, const ScrollBarState& state,
                      bool enabled);

    const RECT& bar() const { return m_bar; }
    bool vertical() const { return m_vertical; }
    RECT first_arrow() const { return span(0, m_arrow); }
    RECT last_arrow() const { return span(m_length - m_arrow, m_length); }
    RECT track() const { return span(m_arrow, m_length - m_arrow); }
    bool has_thumb() const { return m_thumb_length > 0; }
    // Empty when there is no thumb.
    RECT thumb() const;
    // The track on either side of the thumb.
    RECT first_page() const;
    RECT last_page() const;

    ScrollBarPart hit_test(POINT point) const;

    // The thumb's offset from the track's start for a position, and back: the position whose
    // thumb lies nearest to an offset (clamped to the track).
    int thumb_offset_for(int position) const;
    int position_for_thumb_offset(int offset) const;
    // The distance of a point from the bar's start along its length.
    int along(POINT point) const;
    int thumb_travel() const { return m_track_length - m_thumb_length; }

private:
    RECT span(int from, int to) const;

    RECT m_bar;
    bool m_vertical;
    int m_min;
    int m_max_position;
    int m_length = 0;
    int m_arrow = 0;
    int m_track_length = 0;
    int m_thumb_length = 0;
    int m_thumb_offset = 0;
};

} // namespace mullion
