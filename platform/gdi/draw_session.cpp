#include "draw_session.h"
#include "bitmap.h"
#include "brush_pattern.h"
#include "device_context.h"
#include "raster_operation.h"

#include <vector>

namespace mullion {

DrawSession::DrawSession(const DeviceContext& dc, const RECT& area) {
    m_surface = dc.target_surface();
    if (!m_surface)
        return;
    if (std::mutex* lock = m_surface->lock())
        m_lock = std::unique_lock<std::mutex>(*lock);
    m_clip = dc.effective_clip().intersected(area);
    m_indexed = dc.indexed_target();
    Bitmap* bitmap = dc.target_bitmap();
    if (bitmap && bitmap->is_dib_section() && !m_clip.empty()) {
        m_dib = bitmap;
        m_dib->load_surface(m_clip.bounds());
    }
}

DrawSession::~DrawSession() {
    if (m_clip.empty())
        return;
    const RECT changed = m_clip.bounds();
    // Raster operations work on every bit of a pixel; an 8-bit screen keeps the low eight,
    // so inverting index i gives 255 - i.
    if (m_indexed) {
        for (const RECT& r : m_clip.rects())
            for (int y = r.top; y < r.bottom; ++y)
                for (uint32_t* p = m_surface->row(y) + r.left; p != m_surface->row(y) + r.right;
                     ++p)
                    *p &= 0xFF;
    }
    if (m_dib)
        m_dib->store_surface(changed);
    // Reported while the lock is still held: the change is complete and in order with any
    // other drawing on the surface.
    m_surface->notify_changed(changed);
}

void DrawSession::fill_rop2(const Region& region, uint32_t pen, int rop2) {
    const uint8_t index = rop3_from_rop2(rop2);
    const Region clipped = region.intersected(m_clip);
    for (const RECT& r : clipped.rects())
        for (int y = r.top; y < r.bottom; ++y)
            rop3_span(index, nullptr, pen, nullptr, m_surface->row(y) + r.left,
                      int(r.right - r.left));
}

void DrawSession::set_pixel_rop2(int x, int y, uint32_t pen, int rop2) {
    if (!m_clip.contains(x, y))
        return;
    uint32_t& pixel = m_surface->row(y)[x];
    pixel = rop2_pixel(rop2, pen, pixel);
}

void DrawSession::fill_pattern(const Region& region, const BrushPattern& brush, uint8_t rop3) {
    if (brush.is_null() && rop3_uses_pattern(rop3))
        return;
    std::vector<uint32_t> pattern, result;
    std::vector<uint8_t> drawn;
    const Region clipped = region.intersected(m_clip);
    for (const RECT& r : clipped.rects()) {
        const int width = int(r.right - r.left);
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* row = m_surface->row(y) + r.left;
            if (brush.is_solid() || !rop3_uses_pattern(rop3)) {
                rop3_span(rop3, nullptr, brush.solid_pixel(), nullptr, row, width);
                continue;
            }
            pattern.resize(size_t(width));
            drawn.resize(size_t(width));
            brush.fetch(r.left, y, width, pattern.data(), drawn.data());
            if (!brush.has_gaps()) {
                rop3_span(rop3, pattern.data(), 0, nullptr, row, width);
                continue;
            }
            result.assign(row, row + width);
            rop3_span(rop3, pattern.data(), 0, nullptr, result.data(), width);
            for (int i = 0; i < width; ++i)
                if (drawn[size_t(i)])
                    row[i] = result[size_t(i)];
        }
    }
}

} // namespace mullion
