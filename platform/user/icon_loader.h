#pragma once

#include "windows.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mullion {

// An icon or cursor picture before it becomes an HICON: colours (0x00RRGGBB, rows top-down)
// and the transparency mask (true where the screen shows through).
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colors;
    std::vector<bool> transparent;

    // Nearest-neighbour resampling to another size.
    IconPixels scaled(int new_width, int new_height) const;
};

// Creates an icon (or, with is_icon false, a cursor with that hot spot) from pixels, through
// CreateIconIndirect with a colour bitmap and a monochrome mask.
HICON create_icon_from_pixels(const IconPixels& pixels, bool is_icon, POINT hot_spot);

// An icon image as RT_ICON stores it: a BITMAPINFOHEADER with twice the height, the colour
// table, the colour (XOR) bits and the 1-bpp AND mask, bottom-up. Nullopt for anything else
// (PNG-compressed images included) or for data too short for what the header announces.
std::optional<IconPixels> decode_icon_image(std::span<const uint8_t> data);

// The entry of an RT_GROUP_ICON directory closest to the wanted size, preferring more colours
// among equally close ones; returns its RT_ICON id, 0 when the directory is empty or malformed.
WORD choose_icon_image(std::span<const uint8_t> directory, int width, int height);

// A packed DIB (BITMAPINFOHEADER or BITMAPCOREHEADER, colour table, bits) turned into a bitmap:
// a screen-compatible bitmap, or a DIB section when asked. Null for malformed data.
HBITMAP bitmap_from_packed_dib(std::span<const uint8_t> dib, bool dib_section);

} // namespace mullion
