#include "bitmap.h"

#include <algorithm>
#include <cstring>

namespace mullion {

Bitmap::Bitmap(int width, int height, Depth depth)
    : m_surface(width, height, 0), m_monochrome(depth == Depth::Monochrome) {}

Bitmap::Bitmap(DibFormat format)
    : m_surface(format.width(), format.height(), 0), m_dib(std::move(format)),
      m_bits(new uint8_t[m_dib->image_size()]()) {
    load_surface(RECT{0, 0, width(), height()});
}

int Bitmap::bits_per_pixel() const {
    if (m_dib)
        return m_dib->bits_per_pixel();
    return m_monochrome ? 1 : 32;
}

void Bitmap::load_surface(const RECT& area) {
    if (!m_dib)
        return;
    const int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, width());
    const int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, height());
    for (int y = top; y < bottom && left < right; ++y)
        m_dib->read_row(m_bits.get() + m_dib->row_offset(y), left, right - left,
                        m_surface.row(y) + left);
}

void Bitmap::store_surface(const RECT& area) {
    if (!m_dib)
        return;
    const int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, width());
    const int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, height());
    for (int y = top; y < bottom && left < right; ++y)
        m_dib->write_row(m_bits.get() + m_dib->row_offset(y), left, right - left,
                         m_surface.row(y) + left);
}

void Bitmap::read_span(int x, int y, int count, uint32_t* out) const {
    if (m_dib)
        m_dib->read_row(m_bits.get() + m_dib->row_offset(y), x, count, out);
    else
        std::memcpy(out, m_surface.row(y) + x, size_t(count) * sizeof(uint32_t));
}

void Bitmap::write_span(int x, int y, int count, const uint32_t* in) {
    if (m_dib) {
        m_dib->write_row(m_bits.get() + m_dib->row_offset(y), x, count, in);
        m_dib->read_row(m_bits.get() + m_dib->row_offset(y), x, count, m_surface.row(y) + x);
        return;
    }
    uint32_t* row = m_surface.row(y) + x;
    for (int i = 0; i < count; ++i)
        row[i] = m_monochrome ? monochrome_pixel(in[i]) : in[i] & 0xFFFFFF;
}

BITMAP Bitmap::describe() {
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = width();
    bm.bmHeight = height();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(bits_per_pixel());
    if (m_dib) {
        bm.bmWidthBytes = LONG(m_dib->stride());
        bm.bmBits = m_bits.get();
    } else {
        // Device bitmaps report WORD-aligned rows, the layout CreateBitmap takes.
        bm.bmWidthBytes = ((width() * bm.bmBitsPixel + 15) / 16) * 2;
    }
    return bm;
}

HBITMAP default_bitmap() {
    static HBITMAP handle = static_cast<HBITMAP>(HandleTable::instance().insert_permanent(
        std::make_shared<Bitmap>(1, 1, Bitmap::Depth::Monochrome)));
    return handle;
}

} // namespace mullion
