#include "text_canvas.h"

#include <algorithm>

namespace mullion {

namespace {

bool rect_empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

RECT offset_rect(const RECT& r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

RECT session_area(const DeviceContext& dc, const RECT& device_area, const RECT* device_clip) {
    const RECT area = device_clip ? intersection(device_area, *device_clip) : device_area;
    return offset_rect(area, dc.device_origin());
}

uint32_t blend(uint32_t over, uint32_t under, uint32_t coverage) {
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t a = (over >> shift) & 0xff;
        const uint32_t b = (under >> shift) & 0xff;
        result |= ((a * coverage + b * (255 - coverage) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

TextCanvas::TextCanvas(DeviceContext& dc, const RECT& device_area, const RECT* device_clip)
    : m_session(dc, session_area(dc, device_area, device_clip)), m_origin(dc.device_origin()),
      m_monochrome(dc.monochrome_target()) {}

RECT TextCanvas::text_area(const FontInstance& font, int left, int top, int width) {
    const TEXTMETRICA& metrics = font.metrics();
    const int margin_x = metrics.tmMaxCharWidth;
    const int margin_y = metrics.tmHeight / 2;
    return RECT{left - margin_x, top - margin_y, left + width + margin_x,
                top + metrics.tmHeight + margin_y};
}

void TextCanvas::fill(const RECT& device_rect, uint32_t pixel) {
    const RECT area = offset_rect(device_rect, m_origin);
    for (const RECT& clip : m_session.clip().rects()) {
        const RECT part = intersection(area, clip);
        if (rect_empty(part))
            continue;
        Surface& surface = m_session.surface();
        for (int y = part.top; y < part.bottom; ++y)
            std::fill(surface.row(y) + part.left, surface.row(y) + part.right, pixel);
    }
}

void TextCanvas::draw_glyph(const Glyph& glyph, int pen_x, int baseline, uint32_t pixel) {
    if (glyph.width == 0 || glyph.height == 0)
        return;
    const int left = pen_x + glyph.left + m_origin.x;
    const int top = baseline + glyph.top + m_origin.y;
    const RECT area{left, top, left + glyph.width, top + glyph.height};
    for (const RECT& clip : m_session.clip().rects()) {
        const RECT part = intersection(area, clip);
        if (rect_empty(part))
            continue;
        Surface& surface = m_session.surface();
        for (int y = part.top; y < part.bottom; ++y) {
            uint32_t* row = surface.row(y);
            for (int x = part.left; x < part.right; ++x) {
                const uint8_t coverage = glyph.at(x - left, y - top);
                // Anti-aliased glyphs blend, except on black-and-white targets.
                if (coverage == 255 || (m_monochrome && coverage >= 128))
                    row[x] = pixel;
                else if (coverage != 0 && !m_monochrome)
                    row[x] = blend(pixel, row[x], coverage);
            }
        }
    }
}

void TextCanvas::draw_run(FontInstance& font, const TextRun& run, int x, int baseline,
                          uint32_t pixel) {
    for (const auto& character : run.characters)
        draw_glyph(font.glyph(character.code), x + character.x, baseline, pixel);
    if (run.width <= 0)
        return;
    if (font.underlined()) {
        const int top = baseline + font.underline_offset();
        fill(RECT{x, top, x + run.width, top + font.underline_thickness()}, pixel);
    }
    if (font.struck_out()) {
        const int top = baseline + font.strikeout_offset();
        fill(RECT{x, top, x + run.width, top + font.strikeout_thickness()}, pixel);
    }
}

} // namespace mullion
