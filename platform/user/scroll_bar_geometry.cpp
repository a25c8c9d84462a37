#include "scroll_bar_geometry.h"

#include <algorithm>

namespace mullion {

ScrollBarGeometry::ScrollBarGeometry(const RECT& bar, ScrollBarDirection direction,
                                     const ScrollBarState& state, bool enabled)
    : m_bar(bar), m_vertical(direction == ScrollBarDirection::Vertical), m_min(state.min()),
      m_max_position(state.max_position()) {
    m_length = std::max(0, int(m_vertical ? bar.bottom - bar.top : bar.right - bar.left));
    const int breadth = std::max(0, int(m_vertical ? bar.right - bar.left : bar.bottom - bar.top));
    m_arrow = std::min(breadth, m_length / 2);
    m_track_length = m_length - 2 * m_arrow;
    const bool arrows_disabled = state.disabled_arrows() == ESB_DISABLE_BOTH;
    if (!enabled || arrows_disabled || state.covers_range())
        return;
    int thumb = breadth;
    if (state.page() > 0) {
        const long long range = static_cast<long long>(state.max()) - state.min() + 1;
        thumb = int(static_cast<long long>(m_track_length) * state.page() / range);
        thumb = std::max(thumb, minimum_thumb);
    }
    if (thumb > m_track_length)
        return;
    m_thumb_length = thumb;
    m_thumb_offset = thumb_offset_for(state.tracking() ? state.track_position() : state.position());
}

RECT ScrollBarGeometry::span(int from, int to) const {
    if (m_vertical)
        return RECT{m_bar.left, m_bar.top + from, m_bar.right, m_bar.top + to};
    return RECT{m_bar.left + from, m_bar.top, m_bar.left + to, m_bar.bottom};
}

RECT ScrollBarGeometry::thumb() const {
    if (!has_thumb())
        return RECT{0, 0, 0, 0};
    return span(m_arrow + m_thumb_offset, m_arrow + m_thumb_offset + m_thumb_length);
}

RECT ScrollBarGeometry::first_page() const {
    if (!has_thumb())
        return track();
    return span(m_arrow, m_arrow + m_thumb_offset);
}

RECT ScrollBarGeometry::last_page() const {
    if (!has_thumb())
        return RECT{0, 0, 0, 0};
    return span(m_arrow + m_thumb_offset + m_thumb_length, m_length - m_arrow);
}

int ScrollBarGeometry::along(POINT point) const {
    return m_vertical ? point.y - m_bar.top : point.x - m_bar.left;
}

ScrollBarPart ScrollBarGeometry::hit_test(POINT point) const {
    if (!PtInRect(&m_bar, point))
        return ScrollBarPart::None;
    const int at = along(point);
    if (at < m_arrow)
        return ScrollBarPart::FirstArrow;
    if (at >= m_length - m_arrow)
        return ScrollBarPart::LastArrow;
    if (!has_thumb())
        return ScrollBarPart::None;
    const int in_track = at - m_arrow;
    if (in_track < m_thumb_offset)
        return ScrollBarPart::FirstPage;
    if (in_track < m_thumb_offset + m_thumb_length)
        return ScrollBarPart::Thumb;
    return ScrollBarPart::LastPage;
}

int ScrollBarGeometry::thumb_offset_for(int position) const {
    const int travel = thumb_travel();
    const long long positions = static_cast<long long>(m_max_position) - m_min;
    if (travel <= 0 || positions <= 0)
        return 0;
    const long long from_min = std::clamp<long long>(position - m_min, 0, positions);
    return int((from_min * travel + positions / 2) / positions);
}

int ScrollBarGeometry::position_for_thumb_offset(int offset) const {
    const int travel = thumb_travel();
    const long long positions = static_cast<long long>(m_max_position) - m_min;
    if (travel <= 0 || positions <= 0)
        return m_min;
    const long long clamped = std::clamp(offset, 0, travel);
    return m_min + int((clamped * positions + travel / 2) / travel);
}

} // namespace mullion
