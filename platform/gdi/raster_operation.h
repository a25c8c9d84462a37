#pragma once

#include <cstdint>

namespace mullion {

// Raster operations on 0x00RRGGBB pixels, bit by bit.
//
// A ternary operation's index byte (bits 16..23 of the operation code) is its truth table: bit
// number P*4 + S*2 + D holds the result for pattern bit P, source bit S and destination bit D.
// A binary operation R2_x (1..16) has truth table x - 1 with bit number P*2 + D.

constexpr uint8_t rop3_index(uint32_t rop) {
    return uint8_t(rop >> 16);
}
constexpr bool rop3_uses_source(uint8_t index) {
    return ((index >> 2) ^ index) & 0x33;
}
constexpr bool rop3_uses_pattern(uint8_t index) {
    return ((index >> 4) ^ index) & 0x0F;
}
constexpr bool rop3_uses_destination(uint8_t index) {
    return ((index >> 1) ^ index) & 0x55;
}

// Evaluates a ternary operation as the sum of the minterms its truth table selects.
constexpr uint32_t rop3_pixel(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t result = 0;
    for (int minterm = 0; minterm < 8; ++minterm) {
        if (!(index & (1u << minterm)))
            continue;
        result |= ((minterm & 4) ? p : ~p) & ((minterm & 2) ? s : ~s) & ((minterm & 1) ? d : ~d);
    }
    return result & 0xFFFFFF;
}

// The ternary index that applies a binary operation with the pen as pattern.
constexpr uint8_t rop3_from_rop2(int rop2) {
    const uint32_t table = uint32_t(rop2 - 1) & 0xF;
    uint8_t index = 0;
    for (int minterm = 0; minterm < 8; ++minterm) {
        const int p = (minterm >> 2) & 1, d = minterm & 1;
        if (table & (1u << (p * 2 + d)))
            index |= uint8_t(1u << minterm);
    }
    return index;
}

constexpr uint32_t rop2_pixel(int rop2, uint32_t pen, uint32_t d) {
    return rop3_pixel(rop3_from_rop2(rop2), pen, 0, d);
}

// Applies a ternary operation to a span: d[i] = op(p[i], s[i], d[i]). A null pattern or
// source stands for a constant (pattern_pixel / 0); common operations take fast paths.
void rop3_span(uint8_t index, const uint32_t* p, uint32_t pattern_pixel, const uint32_t* s,
               uint32_t* d, int count);

} // namespace mullion
