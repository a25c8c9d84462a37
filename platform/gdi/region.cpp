#include "region.h"
#include "windows.h"

#include <algorithm>
#include <climits>

namespace mullion {

namespace {

// The horizontal spans [left, right) of one band, sorted and disjoint.
using Spans = std::vector<std::pair<LONG, LONG>>;

bool rect_is_empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// Walks the bands of a canonical rectangle list from top to bottom, answering "which spans
// cover row y" for increasing y.
class BandCursor {
public:
    explicit BandCursor(const std::vector<RECT>& rects) : m_rects(rects) {}

    Spans spans_at(LONG y) {
        while (m_index < m_rects.size() && m_rects[m_index].bottom <= y)
            ++m_index;
        Spans spans;
        for (size_t i = m_index; i < m_rects.size() && m_rects[i].top <= y; ++i)
            spans.emplace_back(m_rects[i].left, m_rects[i].right);
        return spans;
    }

private:
    const std::vector<RECT>& m_rects;
    size_t m_index = 0;
};

template <class Operation>
Spans combine_spans(const Spans& a, const Spans& b, Operation operation) {
    std::vector<LONG> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const auto& [left, right] : a) {
        edges.push_back(left);
        edges.push_back(right);
    }
    for (const auto& [left, right] : b) {
        edges.push_back(left);
        edges.push_back(right);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Spans result;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG x = edges[i];
        while (ia < a.size() && a[ia].second <= x)
            ++ia;
        while (ib < b.size() && b[ib].second <= x)
            ++ib;
        const bool in_a = ia < a.size() && a[ia].first <= x;
        const bool in_b = ib < b.size() && b[ib].first <= x;
        if (!operation(in_a, in_b))
            continue;
        if (!result.empty() && result.back().second == x)
            result.back().second = edges[i + 1];
        else
            result.emplace_back(x, edges[i + 1]);
    }
    return result;
}

// Combines two canonical lists band by band. Rows between consecutive band edges of either
// input have constant spans; consecutive rows with equal spans are merged into one band,
// which keeps the result canonical.
template <class Operation>
std::vector<RECT> combine(const std::vector<RECT>& a, const std::vector<RECT>& b,
                          Operation operation) {
    std::vector<LONG> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const RECT& r : a) {
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    for (const RECT& r : b) {
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<RECT> result;
    BandCursor cursor_a(a), cursor_b(b);
    Spans previous;
    size_t previous_start = 0;
    LONG previous_bottom = INT32_MIN;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG top = edges[i], bottom = edges[i + 1];
        Spans spans = combine_spans(cursor_a.spans_at(top), cursor_b.spans_at(top), operation);
        if (spans.empty())
            continue;
        if (previous_bottom == top && spans == previous) {
            for (size_t k = previous_start; k < result.size(); ++k)
                result[k].bottom = bottom;
        } else {
            previous_start = result.size();
            for (const auto& [left, right] : spans)
                result.push_back(RECT{left, top, right, bottom});
            previous = std::move(spans);
        }
        previous_bottom = bottom;
    }
    return result;
}

} // namespace

Region::Region(const RECT& rect) {
    set_rect(rect);
}

Region Region::from_rects(const std::vector<RECT>& rects) {
    std::vector<RECT> sorted;
    for (const RECT& r : rects)
        if (!rect_is_empty(r))
            sorted.push_back(r);
    std::sort(sorted.begin(), sorted.end(),
              [](const RECT& a, const RECT& b) { return a.top < b.top; });
    std::vector<LONG> edges;
    for (const RECT& r : sorted) {
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Region result;
    Spans previous;
    size_t previous_start = 0;
    LONG previous_bottom = INT32_MIN;
    size_t first_candidate = 0;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG top = edges[i], bottom = edges[i + 1];
        Spans spans;
        // Rectangles are sorted by top: skip the leading ones that ended above this band.
        while (first_candidate < sorted.size() && sorted[first_candidate].bottom <= top)
            ++first_candidate;
        for (size_t k = first_candidate; k < sorted.size() && sorted[k].top <= top; ++k)
            if (sorted[k].bottom > top)
                spans.emplace_back(sorted[k].left, sorted[k].right);
        if (spans.empty())
            continue;
        std::sort(spans.begin(), spans.end());
        Spans merged;
        for (const auto& span : spans) {
            if (!merged.empty() && span.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, span.second);
            else
                merged.push_back(span);
        }
        if (previous_bottom == top && merged == previous) {
            for (size_t k = previous_start; k < result.m_rects.size(); ++k)
                result.m_rects[k].bottom = bottom;
        } else {
            previous_start = result.m_rects.size();
            for (const auto& [left, right] : merged)
                result.m_rects.push_back(RECT{left, top, right, bottom});
            previous = std::move(merged);
        }
        previous_bottom = bottom;
    }
    return result;
}

void Region::set_rect(const RECT& rect) {
    m_rects.clear();
    if (!rect_is_empty(rect))
        m_rects.push_back(rect);
}

RECT Region::bounds() const {
    if (m_rects.empty())
        return RECT{0, 0, 0, 0};
    RECT box = m_rects.front();
    for (const RECT& r : m_rects) {
        box.left = std::min(box.left, r.left);
        box.right = std::max(box.right, r.right);
    }
    box.bottom = m_rects.back().bottom;
    return box;
}

int Region::complexity() const {
    if (m_rects.empty())
        return NULLREGION;
    return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(int x, int y) const {
    for (const RECT& r : m_rects) {
        if (r.top > y)
            break;
        if (y < r.bottom && x >= r.left && x < r.right)
            return true;
    }
    return false;
}

bool Region::intersects(const RECT& rect) const {
    if (rect_is_empty(rect))
        return false;
    for (const RECT& r : m_rects) {
        if (r.top >= rect.bottom)
            break;
        if (r.bottom > rect.top && r.left < rect.right && r.right > rect.left)
            return true;
    }
    return false;
}

void Region::offset(int dx, int dy) {
    for (RECT& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

Region Region::united(const Region& other) const {
    Region result;
    result.m_rects = combine(m_rects, other.m_rects, [](bool a, bool b) { return a || b; });
    return result;
}

Region Region::intersected(const Region& other) const {
    Region result;
    result.m_rects = combine(m_rects, other.m_rects, [](bool a, bool b) { return a && b; });
    return result;
}

Region Region::subtracted(const Region& other) const {
    Region result;
    result.m_rects = combine(m_rects, other.m_rects, [](bool a, bool b) { return a && !b; });
    return result;
}

Region Region::xored(const Region& other) const {
    Region result;
    result.m_rects = combine(m_rects, other.m_rects, [](bool a, bool b) { return a != b; });
    return result;
}

} // namespace mullion
