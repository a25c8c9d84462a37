#include "brush_pattern.h"
#include "bitmap.h"
#include "brush.h"
#include "device_context.h"

namespace mullion {

namespace {

int wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

} // namespace

BrushPattern::BrushPattern(const DeviceContext& dc, const Brush* brush) {
    if (!brush || brush->style() == BS_NULL)
        return;
    const POINT device_origin = dc.device_origin();
    m_origin =
        POINT{dc.state.brush_origin.x + device_origin.x, dc.state.brush_origin.y + device_origin.y};
    if (brush->style() == BS_SOLID) {
        m_kind = Kind::Solid;
        m_solid = dc.pixel_for(brush->color());
        return;
    }
    m_kind = Kind::Pattern;
    if (brush->style() == BS_HATCHED) {
        const int size = Brush::hatch_size;
        const uint32_t foreground = dc.pixel_for(brush->color());
        const uint32_t background = dc.pixel_for(dc.state.background_color);
        const bool transparent = dc.state.background_mode == TRANSPARENT;
        m_cells.resize(size, size);
        if (transparent)
            m_drawn.assign(size_t(size * size), 1);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const bool on = Brush::hatch_bit(brush->hatch(), x, y);
                m_cells.set_pixel(x, y, on ? foreground : background);
                if (transparent && !on)
                    m_drawn[size_t(y * size + x)] = 0;
            }
        }
        return;
    }
    const Surface& pattern = brush->pattern();
    m_cells = pattern;
    if (m_cells.width() == 0 || m_cells.height() == 0) {
        m_kind = Kind::Null;
        return;
    }
    const uint32_t zero = dc.pixel_for(dc.state.text_color);
    const uint32_t one = dc.pixel_for(dc.state.background_color);
    for (int y = 0; y < m_cells.height(); ++y) {
        uint32_t* row = m_cells.row(y);
        for (int x = 0; x < m_cells.width(); ++x) {
            if (brush->monochrome_pattern())
                row[x] = row[x] ? one : zero;
            else
                row[x] = dc.pixel_from_rgb(row[x]);
        }
    }
}

void BrushPattern::fetch(int x, int y, int count, uint32_t* out, uint8_t* drawn) const {
    if (m_kind != Kind::Pattern) {
        std::fill(out, out + count, m_solid);
        if (drawn)
            std::fill(drawn, drawn + count, uint8_t(m_kind != Kind::Null));
        return;
    }
    const int width = m_cells.width();
    const int py = wrap(y - m_origin.y, m_cells.height());
    const uint32_t* row = m_cells.row(py);
    int px = wrap(x - m_origin.x, width);
    for (int i = 0; i < count; ++i) {
        out[i] = row[px];
        if (drawn)
            drawn[i] = m_drawn.empty() ? 1 : m_drawn[size_t(py * width + px)];
        if (++px == width)
            px = 0;
    }
}

} // namespace mullion
