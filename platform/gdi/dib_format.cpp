#include "dib_format.h"
#include "palette.h"

#include <bit>
#include <cstring>

namespace mullion {

namespace {

size_t aligned_stride(int width, int bits_per_pixel, int alignment) {
    const size_t bits = size_t(width) * size_t(bits_per_pixel);
    const size_t unit = size_t(alignment) * 8;
    return (bits + unit - 1) / unit * size_t(alignment);
}

// Extracts the channel a mask selects and scales it to 8 bits by repeating its top bits.
uint32_t expand_channel(uint32_t value, uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    uint32_t v = (value & mask) >> shift;
    if (bits >= 8)
        return v >> (bits - 8);
    uint32_t result = 0;
    int filled = 0;
    while (filled < 8) {
        result = (result << bits) | v;
        filled += bits;
    }
    return result >> (filled - 8);
}

uint32_t pack_channel(uint32_t value8, uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t v = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
    return (v << shift) & mask;
}

} // namespace

DibFormat::DibFormat(int width, int height, int bits_per_pixel, bool top_down,
                     std::vector<RGBQUAD> colors, int row_alignment)
    : m_width(width), m_height(height), m_bits_per_pixel(bits_per_pixel), m_top_down(top_down),
      m_stride(aligned_stride(width, bits_per_pixel, row_alignment)), m_colors(std::move(colors)) {
    set_default_masks();
}

void DibFormat::set_default_masks() {
    if (m_bits_per_pixel == 16) {
        m_masks[0] = 0x7C00;
        m_masks[1] = 0x03E0;
        m_masks[2] = 0x001F;
    } else if (m_bits_per_pixel == 32) {
        m_masks[0] = 0xFF0000;
        m_masks[1] = 0x00FF00;
        m_masks[2] = 0x0000FF;
    }
}

std::optional<DibFormat> DibFormat::from_info(const BITMAPINFO* info, UINT usage,
                                              const Palette* palette) {
    if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int depth = header.biBitCount;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biWidth > 65536 ||
        header.biHeight > 65536 || header.biHeight < -65536)
        return std::nullopt;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return std::nullopt;
    const bool bitfields = header.biCompression == BI_BITFIELDS;
    if (header.biCompression != BI_RGB && !(bitfields && (depth == 16 || depth == 32)))
        return std::nullopt;

    DibFormat format;
    format.m_width = header.biWidth;
    format.m_height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    format.m_top_down = header.biHeight < 0;
    format.m_bits_per_pixel = depth;
    format.m_stride = aligned_stride(format.m_width, depth, 4);
    format.set_default_masks();
    const uint8_t* after_header = reinterpret_cast<const uint8_t*>(info) + header.biSize;
    if (bitfields) {
        format.m_bitfields = true;
        std::memcpy(format.m_masks, after_header, sizeof(format.m_masks));
    } else if (depth <= 8) {
        const UINT maximum = 1u << depth;
        const UINT count =
            header.biClrUsed == 0 || header.biClrUsed > maximum ? maximum : header.biClrUsed;
        format.m_colors.resize(maximum, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_PAL_COLORS) {
            const auto entries = palette ? palette->entries() : Palette::default_entries();
            const uint16_t* indices = reinterpret_cast<const uint16_t*>(after_header);
            for (UINT i = 0; i < count; ++i) {
                if (entries.empty())
                    break;
                const PALETTEENTRY& e = entries[indices[i] % entries.size()];
                format.m_colors[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
            }
        } else {
            std::memcpy(format.m_colors.data(), after_header, count * sizeof(RGBQUAD));
        }
    }
    return format;
}

void DibFormat::set_colors(UINT start, UINT count, const RGBQUAD* colors) {
    for (UINT i = 0; i < count && start + i < m_colors.size(); ++i)
        m_colors[start + i] = colors[i];
    m_nearest_cache.clear();
}

void DibFormat::read_row(const uint8_t* row, int x, int count, uint32_t* out) const {
    switch (m_bits_per_pixel) {
    case 1:
    case 4:
    case 8: {
        const int depth = m_bits_per_pixel;
        const int per_byte = 8 / depth;
        const uint32_t mask = (1u << depth) - 1;
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            const int shift = (per_byte - 1 - px % per_byte) * depth;
            const uint32_t index = (row[px / per_byte] >> shift) & mask;
            out[i] = index < m_colors.size() ? pixel_from_rgbquad(m_colors[index]) : 0;
        }
        break;
    }
    case 16:
        for (int i = 0; i < count; ++i) {
            const uint32_t v = uint32_t(row[2 * (x + i)]) | uint32_t(row[2 * (x + i) + 1]) << 8;
            out[i] = expand_channel(v, m_masks[0]) << 16 | expand_channel(v, m_masks[1]) << 8 |
                     expand_channel(v, m_masks[2]);
        }
        break;
    case 24:
        for (int i = 0; i < count; ++i) {
            const uint8_t* p = row + 3 * (x + i);
            out[i] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
        break;
    case 32:
        if (!m_bitfields) {
            for (int i = 0; i < count; ++i) {
                uint32_t v;
                std::memcpy(&v, row + 4 * (x + i), 4);
                out[i] = v & 0xFFFFFF;
            }
        } else {
            for (int i = 0; i < count; ++i) {
                uint32_t v;
                std::memcpy(&v, row + 4 * (x + i), 4);
                out[i] = expand_channel(v, m_masks[0]) << 16 | expand_channel(v, m_masks[1]) << 8 |
                         expand_channel(v, m_masks[2]);
            }
        }
        break;
    default:
        std::fill(out, out + count, 0u);
    }
}

uint8_t DibFormat::nearest_index(uint32_t pixel) const {
    if (auto found = m_nearest_cache.find(pixel); found != m_nearest_cache.end())
        return found->second;
    const int r = int(pixel >> 16) & 0xff, g = int(pixel >> 8) & 0xff, b = int(pixel) & 0xff;
    int best = 0;
    int best_distance = 1 << 30;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        const int dr = r - m_colors[i].rgbRed, dg = g - m_colors[i].rgbGreen,
                  db = b - m_colors[i].rgbBlue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = int(i);
            if (distance == 0)
                break;
        }
    }
    m_nearest_cache.emplace(pixel, uint8_t(best));
    return uint8_t(best);
}

void DibFormat::write_row(uint8_t* row, int x, int count, const uint32_t* in) const {
    switch (m_bits_per_pixel) {
    case 1:
    case 4:
    case 8: {
        const int depth = m_bits_per_pixel;
        const int per_byte = 8 / depth;
        const uint32_t mask = (1u << depth) - 1;
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            const int shift = (per_byte - 1 - px % per_byte) * depth;
            uint8_t& byte = row[px / per_byte];
            byte = uint8_t((byte & ~(mask << shift)) | (nearest_index(in[i]) << shift));
        }
        break;
    }
    case 16:
        for (int i = 0; i < count; ++i) {
            const uint32_t v = pack_channel((in[i] >> 16) & 0xff, m_masks[0]) |
                               pack_channel((in[i] >> 8) & 0xff, m_masks[1]) |
                               pack_channel(in[i] & 0xff, m_masks[2]);
            row[2 * (x + i)] = uint8_t(v);
            row[2 * (x + i) + 1] = uint8_t(v >> 8);
        }
        break;
    case 24:
        for (int i = 0; i < count; ++i) {
            uint8_t* p = row + 3 * (x + i);
            p[0] = uint8_t(in[i]);
            p[1] = uint8_t(in[i] >> 8);
            p[2] = uint8_t(in[i] >> 16);
        }
        break;
    case 32:
        for (int i = 0; i < count; ++i) {
            const uint32_t v = m_bitfields ? pack_channel((in[i] >> 16) & 0xff, m_masks[0]) |
                                                 pack_channel((in[i] >> 8) & 0xff, m_masks[1]) |
                                                 pack_channel(in[i] & 0xff, m_masks[2])
                                           : in[i] & 0xFFFFFF;
            std::memcpy(row + 4 * (x + i), &v, 4);
        }
        break;
    default:
        break;
    }
}

std::vector<RGBQUAD> DibFormat::default_colors(int bits_per_pixel) {
    std::vector<RGBQUAD> colors;
    auto add = [&](int r, int g, int b) {
        colors.push_back(RGBQUAD{BYTE(b), BYTE(g), BYTE(r), 0});
    };
    if (bits_per_pixel == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (bits_per_pixel == 4 || bits_per_pixel == 8) {
        // The 16 colours of the classic VGA palette.
        static const int vga[16][3] = {
            {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : vga)
            add(c[0], c[1], c[2]);
        if (bits_per_pixel == 8) {
            // Then a 6x6x6 colour cube and a grey ramp fill the rest of the 256 entries.
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        add(r * 51, g * 51, b * 51);
            for (int i = 0; colors.size() < 256; ++i)
                add(8 + i * 10, 8 + i * 10, 8 + i * 10);
        }
    }
    return colors;
}

} // namespace mullion
