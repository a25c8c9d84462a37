#include "raster_operation.h"

#include <algorithm>
#include <cstring>

namespace mullion {

void rop3_span(uint8_t index, const uint32_t* p, uint32_t pattern_pixel, const uint32_t* s,
               uint32_t* d, int count) {
    switch (index) {
    case 0xCC: // SRCCOPY
        if (s) {
            std::memmove(d, s, size_t(count) * sizeof(uint32_t));
            return;
        }
        break;
    case 0xF0: // PATCOPY
        if (p)
            std::memcpy(d, p, size_t(count) * sizeof(uint32_t));
        else
            std::fill(d, d + count, pattern_pixel);
        return;
    case 0x00: // BLACKNESS
        std::fill(d, d + count, 0u);
        return;
    case 0xFF: // WHITENESS
        std::fill(d, d + count, 0xFFFFFFu);
        return;
    case 0x55: // DSTINVERT
        for (int i = 0; i < count; ++i)
            d[i] ^= 0xFFFFFF;
        return;
    case 0x5A: // PATINVERT
        for (int i = 0; i < count; ++i)
            d[i] ^= p ? p[i] : pattern_pixel;
        return;
    case 0x66: // SRCINVERT
        if (s) {
            for (int i = 0; i < count; ++i)
                d[i] ^= s[i];
            return;
        }
        break;
    case 0x88: // SRCAND
        if (s) {
            for (int i = 0; i < count; ++i)
                d[i] &= s[i];
            return;
        }
        break;
    case 0xEE: // SRCPAINT
        if (s) {
            for (int i = 0; i < count; ++i)
                d[i] |= s[i];
            return;
        }
        break;
    default:
        break;
    }
    for (int i = 0; i < count; ++i)
        d[i] = rop3_pixel(index, p ? p[i] : pattern_pixel, s ? s[i] : 0, d[i]);
}

} // namespace mullion
