#include "text_canvas.h"

#include "bitmap.h"

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

RECT union_of(const RECT& a, const RECT& b) {
    if (rect_empty(a))
        return b;
    if (rect_empty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
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

TextCanvas::TextCanvas(DeviceContext& dc, const RECT* device_clip) : m_dc(dc) {
    m_surface = dc.target_surface();
    if (!m_surface)
        return;
    if (std::mutex* lock = m_surface->lock())
        m_lock = std::unique_lock(*lock);
    m_origin = dc.device_origin();
    m_clip = dc.effective_clip();
    if (device_clip) {
        RECT clip = *device_clip;
        clip.left += m_origin.x;
        clip.right += m_origin.x;
        clip.top += m_origin.y;
        clip.bottom += m_origin.y;
        m_clip = m_clip.intersected(clip);
    }
    Bitmap* bitmap = dc.target_bitmap();
    if (bitmap && bitmap->is_dib_section() && !m_clip.empty()) {
        m_dib_section = bitmap;
        bitmap->load_surface(m_clip.bounds());
    }
}

TextCanvas::~TextCanvas() {
    if (!m_surface || rect_empty(m_changed))
        return;
    if (m_dib_section)
        m_dib_section->store_surface(m_changed);
    if (m_lock.owns_lock())
        m_lock.unlock();
    m_surface->notify_changed(m_changed);
}

void TextCanvas::note_changed(const RECT& surface_rect) {
    m_changed = union_of(m_changed, surface_rect);
}

void TextCanvas::fill(const RECT& device_rect, uint32_t pixel) {
    if (!m_surface)
        return;
    const RECT area{device_rect.left + m_origin.x, device_rect.top + m_origin.y,
                    device_rect.right + m_origin.x, device_rect.bottom + m_origin.y};
    for (const RECT& clip : m_clip.rects()) {
        const RECT part = intersection(area, clip);
        if (rect_empty(part))
            continue;
        for (int y = part.top; y < part.bottom; ++y)
            std::fill(m_surface->row(y) + part.left, m_surface->row(y) + part.right, pixel);
        note_changed(part);
    }
}

void TextCanvas::draw_glyph(const Glyph& glyph, int pen_x, int baseline, uint32_t pixel) {
    if (!m_surface || glyph.width == 0 || glyph.height == 0)
        return;
    const int left = pen_x + glyph.left + m_origin.x;
    const int top = baseline + glyph.top + m_origin.y;
    const RECT area{left, top, left + glyph.width, top + glyph.height};
    const bool monochrome = m_dc.monochrome_target();
    for (const RECT& clip : m_clip.rects()) {
        const RECT part = intersection(area, clip);
        if (rect_empty(part))
            continue;
        for (int y = part.top; y < part.bottom; ++y) {
            uint32_t* row = m_surface->row(y);
            for (int x = part.left; x < part.right; ++x) {
                const uint8_t coverage = glyph.at(x - left, y - top);
                if (coverage == 255 || (monochrome && coverage >= 128))
                    row[x] = pixel;
                else if (coverage != 0 && !monochrome)
                    row[x] = blend(pixel, row[x], coverage);
            }
        }
        note_changed(part);
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
