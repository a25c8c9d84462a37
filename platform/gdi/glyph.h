#pragma once

#include <cstdint>
#include <vector>

namespace mullion {

// One rendered character of a realized font: its coverage bitmap placed relative to the pen
// position on the baseline, and how far the pen moves after it. Coverage is 0 or 255 for
// monochrome rendering, 0..255 when the font asked for anti-aliasing.
struct Glyph {
    int width = 0;
    int height = 0;
    // Offset of the bitmap's top-left pixel from the pen position (y grows downward).
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;

    uint8_t at(int x, int y) const { return coverage[size_t(y) * size_t(width) + size_t(x)]; }
};

} // namespace mullion
