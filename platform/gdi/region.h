#pragma once

#include "windef.h"

#include <vector>

// In the global namespace, RECT's own, so that argument-dependent lookup finds it everywhere
// (comparing vectors of rectangles included).
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace mullion {

// A set of pixels as a list of non-overlapping rectangles, sorted into bands (top to bottom,
// then left to right) so that equal sets have equal lists. Used for clipping, update regions
// and HRGN objects.
class Region {
public:
    Region() = default;
    explicit Region(const RECT& rect);
    // The union of any rectangles, overlapping or not (empty ones are ignored).
    static Region from_rects(const std::vector<RECT>& rects);

    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT& rect) const;

    void set_rect(const RECT& rect);
    void clear() { m_rects.clear(); }
    void offset(int dx, int dy);

    Region united(const Region& other) const;
    Region intersected(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region xored(const Region& other) const;
    Region intersected(const RECT& rect) const { return intersected(Region(rect)); }
    Region subtracted(const RECT& rect) const { return subtracted(Region(rect)); }

    bool operator==(const Region& other) const { return m_rects == other.m_rects; }

private:
    std::vector<RECT> m_rects;
};

} // namespace mullion
