#pragma once

#include "windows.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace mullion {

class Palette;

// The pixel layout of a device-independent bitmap: depth, row order, DWORD-aligned rows,
// colour masks (16 and 32 bpp) or colour table (1, 4 and 8 bpp). Converts rows between that
// layout and 0x00RRGGBB pixels.
class DibFormat {
public:
    // The layout a BITMAPINFO describes; nullopt for unsupported formats (compressed, bad
    // depth, zero size). DIB_PAL_COLORS tables are indices into the palette (or the default
    // palette when null).
    static std::optional<DibFormat> from_info(const BITMAPINFO* info, UINT usage,
                                              const Palette* palette);
    // A plain layout of the given depth with the given colour table (depths up to 8).
    DibFormat(int width, int height, int bits_per_pixel, bool top_down,
              std::vector<RGBQUAD> colors = {}, int row_alignment = 4);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bits_per_pixel() const { return m_bits_per_pixel; }
    bool top_down() const { return m_top_down; }
    size_t stride() const { return m_stride; }
    size_t image_size() const { return m_stride * size_t(m_height); }
    const std::vector<RGBQUAD>& colors() const { return m_colors; }
    void set_colors(UINT start, UINT count, const RGBQUAD* colors);
    uint32_t red_mask() const { return m_masks[0]; }
    uint32_t green_mask() const { return m_masks[1]; }
    uint32_t blue_mask() const { return m_masks[2]; }
    bool has_bitfields() const { return m_bitfields; }

    // Storage row of image row y (0 = top).
    size_t row_offset(int y) const { return size_t(m_top_down ? y : m_height - 1 - y) * m_stride; }
    void read_row(const uint8_t* row, int x, int count, uint32_t* out) const;
    // Writes pixels, choosing the nearest colour-table entry for indexed depths.
    void write_row(uint8_t* row, int x, int count, const uint32_t* in) const;

    // The colour table GetDIBits reports for a depth when the bitmap has none of its own.
    static std::vector<RGBQUAD> default_colors(int bits_per_pixel);

private:
    DibFormat() = default;
    void set_default_masks();
    uint8_t nearest_index(uint32_t pixel) const;

    int m_width = 0;
    int m_height = 0;
    int m_bits_per_pixel = 0;
    bool m_top_down = false;
    bool m_bitfields = false;
    size_t m_stride = 0;
    uint32_t m_masks[3] = {0, 0, 0};
    std::vector<RGBQUAD> m_colors;
    mutable std::unordered_map<uint32_t, uint8_t> m_nearest_cache;
};

inline uint32_t pixel_from_rgbquad(const RGBQUAD& q) {
    return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

} // namespace mullion
