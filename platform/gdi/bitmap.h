#pragma once

#include "../kernel/handle_table.h"
#include "dib_format.h"
#include "surface.h"
#include "windows.h"

#include <memory>
#include <optional>

namespace mullion {

// A bitmap. Device bitmaps keep their pixels in a Surface: 32-bpp colour, or monochrome with
// every pixel 0x000000 (bit 0) or 0xFFFFFF (bit 1). A DIB section keeps its native bits, which
// the program writes directly; drawing on it goes through a 32-bpp working copy that
// load_surface() refreshes from the bits and store_surface() writes back (DrawSession does
// both around every operation).
class Bitmap : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Bitmap;
    ObjectKind kind() const override { return object_kind; }

    enum class Depth { Monochrome, Color };
    Bitmap(int width, int height, Depth depth);
    explicit Bitmap(DibFormat format);

    int width() const { return m_surface.width(); }
    int height() const { return m_surface.height(); }
    // 1 or 32 for device bitmaps; the DIB's depth for DIB sections.
    int bits_per_pixel() const;
    bool monochrome() const { return bits_per_pixel() == 1; }
    bool is_dib_section() const { return m_dib.has_value(); }

    Surface& surface() { return m_surface; }
    const Surface& surface() const { return m_surface; }

    // DIB sections only.
    DibFormat* dib_format() { return m_dib ? &*m_dib : nullptr; }
    const DibFormat* dib_format() const { return m_dib ? &*m_dib : nullptr; }
    uint8_t* dib_bits() { return m_bits.get(); }
    void load_surface(const RECT& area);
    void store_surface(const RECT& area);

    // Reads pixels of row y as 0x00RRGGBB from the bitmap's own bits.
    void read_span(int x, int y, int count, uint32_t* out) const;
    // Writes pixels of row y into the bitmap's own bits (monochrome: nearest of black/white).
    void write_span(int x, int y, int count, const uint32_t* in);

    // The BITMAP structure GetObjectA reports.
    BITMAP describe();

private:
    Surface m_surface;
    bool m_monochrome = false;
    std::optional<DibFormat> m_dib;
    std::unique_ptr<uint8_t[]> m_bits;
};

// The pixel a colour becomes on a monochrome bitmap: white when nearer white than black.
constexpr uint32_t monochrome_pixel(uint32_t pixel) {
    const uint32_t sum = ((pixel >> 16) & 0xff) + ((pixel >> 8) & 0xff) + (pixel & 0xff);
    return sum >= 383 ? 0xFFFFFF : 0;
}

// The shared 1x1 monochrome bitmap selected into every new memory context.
HBITMAP default_bitmap();

} // namespace mullion
