#pragma once

#include "surface.h"
#include "windows.h"

#include <vector>

namespace mullion {

class Brush;
class DeviceContext;

// A brush resolved against a context for one drawing operation: the colour it gives each
// surface pixel, aligned to the context's brush origin (device coordinates), with the
// context's text and background colours applied to monochrome patterns and hatch gaps.
class BrushPattern {
public:
    BrushPattern(const DeviceContext& dc, const Brush* brush);

    bool is_null() const { return m_kind == Kind::Null; }
    bool is_solid() const { return m_kind == Kind::Solid; }
    uint32_t solid_pixel() const { return m_solid; }
    // Whether some pixels are left alone (the gaps of a hatched brush in TRANSPARENT mode).
    bool has_gaps() const { return !m_drawn.empty(); }

    // The pattern at surface row y, columns x .. x + count - 1. `drawn` (optional) receives
    // 0 for pixels the brush leaves untouched.
    void fetch(int x, int y, int count, uint32_t* out, uint8_t* drawn) const;

private:
    enum class Kind { Null, Solid, Pattern };
    Kind m_kind = Kind::Null;
    uint32_t m_solid = 0;
    Surface m_cells;
    std::vector<uint8_t> m_drawn;
    POINT m_origin{0, 0};
};

} // namespace mullion
