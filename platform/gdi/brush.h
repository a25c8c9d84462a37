#pragma once

#include "../kernel/handle_table.h"
#include "surface.h"
#include "windows.h"

namespace mullion {

// A brush: solid, null, hatched (one of the six HS_ styles) or a pattern copied from a bitmap.
class Brush : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Brush;
    ObjectKind kind() const override { return object_kind; }

    static constexpr int hatch_size = 8;

    Brush(UINT style, COLORREF color, int hatch = 0)
        : m_style(style), m_color(color), m_hatch(hatch) {}
    // A pattern brush. A monochrome pattern (pixels 0 or 0xFFFFFF) takes the text colour for
    // its 0 bits and the background colour for its 1 bits when drawn, as Win32 does.
    Brush(Surface pattern, bool monochrome)
        : m_style(BS_PATTERN), m_color(0), m_hatch(0), m_pattern(std::move(pattern)),
          m_monochrome_pattern(monochrome) {}

    UINT style() const { return m_style; }
    COLORREF color() const { return m_color; }
    int hatch() const { return m_hatch; }
    const Surface& pattern() const { return m_pattern; }
    bool monochrome_pattern() const { return m_monochrome_pattern; }

    // Whether pixel (x, y) of the 8x8 hatch cell is drawn in the brush colour.
    static bool hatch_bit(int hatch, int x, int y);

private:
    UINT m_style;
    COLORREF m_color;
    int m_hatch;
    Surface m_pattern;
    bool m_monochrome_pattern = false;
};

// A solid brush that DeleteObject never frees (system colour brushes).
HBRUSH create_permanent_solid_brush(COLORREF color);

} // namespace mullion
