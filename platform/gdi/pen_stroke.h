#pragma once

#include "region.h"
#include "windows.h"

#include <vector>

namespace mullion {

class DeviceContext;
class DrawSession;

// The selected pen of a context resolved for drawing: nothing (PS_NULL), a cosmetic one-pixel
// line (solid or styled) or a wide line of a device width with round ends and joins. All
// coordinates are surface coordinates.
class PenStroke {
public:
    explicit PenStroke(const DeviceContext& dc);

    bool draws_nothing() const { return m_null; }
    bool is_wide() const { return m_width > 1; }
    // Width in device pixels (1 for cosmetic pens).
    int width() const { return m_width; }
    bool inside_frame() const { return m_inside_frame; }
    uint32_t pixel() const { return m_pixel; }

    // The rectangle a stroke through these points may touch.
    RECT bounds(const std::vector<POINT>& points) const;
    // Draws a connected line through the points; a cosmetic line leaves out its last point.
    // The style pattern runs on across the segments.
    void stroke(DrawSession& session, const std::vector<POINT>& points) const;

    // The pixels a wide line through the points covers (exposed for shapes and tests).
    static Region wide_line_region(const std::vector<POINT>& points, int width);

private:
    void stroke_cosmetic(DrawSession& session, const std::vector<POINT>& points) const;

    bool m_null = true;
    bool m_inside_frame = false;
    int m_width = 1;
    uint32_t m_pixel = 0;
    uint32_t m_background = 0;
    bool m_opaque = false;
    int m_rop2 = R2_COPYPEN;
    std::vector<int> m_dashes; // alternating on and off run lengths; empty for solid
};

} // namespace mullion
