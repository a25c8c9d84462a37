#include "scroll_bar_state.h"

#include <algorithm>

namespace mullion {

int ScrollBarState::set_info(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        m_min = info.nMin;
        // A maximum below the minimum is taken as an empty range.
        m_max = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE)
        m_page = info.nPage;
    const long long span = static_cast<long long>(m_max) - m_min + 1;
    if (static_cast<long long>(m_page) > span)
        m_page = static_cast<UINT>(span);
    if (info.fMask & SIF_POS)
        m_position = info.nPos;
    m_position = std::clamp(m_position, m_min, max_position());
    return m_position;
}

void ScrollBarState::get_info(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = m_min;
        info.nMax = m_max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = m_page;
    if (info.fMask & SIF_POS)
        info.nPos = m_position;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = m_tracking ? m_track_position : m_position;
}

int ScrollBarState::max_position() const {
    const int page_extra = m_page > 0 ? int(m_page) - 1 : 0;
    return std::max(m_min, m_max - page_extra);
}

bool ScrollBarState::covers_range() const {
    return m_min >= m_max || static_cast<long long>(m_page) > static_cast<long long>(m_max) - m_min;
}

void ScrollBarState::begin_tracking(int position) {
    m_tracking = true;
    m_track_position = position;
}

} // namespace mullion
