// TabbedTextOutA and GetTabbedTextExtentA: a line of text drawn in runs between its tab
// characters, each tab advancing to the next stop measured from the tab origin.
#include "windows.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

// The stops of one call: none given means every eight average characters, one value means a
// stop at every multiple of it, more values are the stops themselves.
class TabStops {
public:
    TabStops(HDC dc, int count, const INT* positions) {
        if (count <= 0 || !positions) {
            TEXTMETRICA metrics{};
            GetTextMetricsA(dc, &metrics);
            m_interval = std::max<int>(1, 8 * metrics.tmAveCharWidth);
        } else if (count == 1) {
            m_interval = std::max(1, std::abs(positions[0]));
        } else {
            m_list = std::span(positions, size_t(count));
        }
    }

    // The position a tab at `position` (from the origin) moves the text to; past the last
    // listed stop a tab is as wide as a space.
    int next(int position, int space_width) const {
        if (m_interval > 0)
            return (position / m_interval + 1) * m_interval;
        for (const int stop : m_list)
            if (std::abs(stop) > position)
                return std::abs(stop);
        return position + space_width;
    }

private:
    int m_interval = 0;
    std::span<const INT> m_list;
};

int text_width(HDC dc, std::string_view text) {
    SIZE extent{0, 0};
    if (!text.empty())
        GetTextExtentPoint32A(dc, text.data(), int(text.size()), &extent);
    return extent.cx;
}

int text_height(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

// Walks the runs of `text`, calling draw(x, run) for each run and fill(left, right) for each
// tab's gap, and returns the total width.
template <class DrawRun, class FillGap>
int lay_out(HDC dc, std::string_view text, const TabStops& stops, int start, int origin,
            DrawRun draw, FillGap fill) {
    const int space = text_width(dc, " ");
    int x = start;
    while (true) {
        const size_t tab = text.find('\t');
        const std::string_view run = text.substr(0, tab);
        draw(x, run);
        x += text_width(dc, run);
        if (tab == std::string_view::npos)
            break;
        const int stop = origin + stops.next(x - origin, space);
        fill(x, stop);
        x = stop;
        text.remove_prefix(tab + 1);
    }
    return x - start;
}

std::string_view string_of(LPCSTR text, int count) {
    if (!text)
        return {};
    return count < 0 ? std::string_view(text) : std::string_view(text, size_t(count));
}

} // namespace

LONG WINAPI TabbedTextOutA(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                           const INT* lpnTabStopPositions, int nTabOrigin) {
    const std::string_view text = string_of(lpString, chCount);
    const TabStops stops(hdc, nTabPositions, lpnTabStopPositions);
    const bool update_position = (GetTextAlign(hdc) & TA_UPDATECP) != 0;
    if (update_position) {
        POINT current{};
        GetCurrentPositionEx(hdc, &current);
        x = current.x;
        y = current.y;
        SetTextAlign(hdc, GetTextAlign(hdc) & ~TA_UPDATECP);
    }
    const int height = text_height(hdc);
    const bool opaque = GetBkMode(hdc) == OPAQUE;
    const int width = lay_out(
        hdc, text, stops, x, nTabOrigin,
        [&](int left, std::string_view run) {
            if (!run.empty())
                TextOutA(hdc, left, y, run.data(), int(run.size()));
        },
        [&](int left, int right) {
            if (!opaque || right <= left)
                return;
            const RECT gap{left, y, right, y + height};
            ExtTextOutA(hdc, left, y, ETO_OPAQUE, &gap, nullptr, 0, nullptr);
        });
    if (update_position) {
        SetTextAlign(hdc, GetTextAlign(hdc) | TA_UPDATECP);
        MoveToEx(hdc, x + width, y, nullptr);
    }
    return MAKELONG(width, height);
}

DWORD WINAPI GetTabbedTextExtentA(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions,
                                  const INT* lpnTabStopPositions) {
    const TabStops stops(hdc, nTabPositions, lpnTabStopPositions);
    const int width = lay_out(
        hdc, string_of(lpString, chCount), stops, 0, 0, [](int, std::string_view) {},
        [](int, int) {});
    return MAKELONG(width, text_height(hdc));
}
