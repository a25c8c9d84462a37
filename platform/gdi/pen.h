#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

namespace mullion {

// A pen: cosmetic when one pixel wide, otherwise drawn as a wide line with round ends.
class Pen : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Pen;
    ObjectKind kind() const override { return object_kind; }

    Pen(UINT style, int width, COLORREF color)
        : m_style(style), m_width(width < 0 ? 0 : width), m_color(color) {}

    UINT style_flags() const { return m_style; }
    // PS_SOLID, PS_DASH, ... PS_INSIDEFRAME.
    UINT line_style() const { return m_style & PS_STYLE_MASK; }
    // Width in logical units; 0 means one pixel whatever the mapping.
    int width() const { return m_width; }
    COLORREF color() const { return m_color; }

private:
    UINT m_style;
    int m_width;
    COLORREF m_color;
};

} // namespace mullion
