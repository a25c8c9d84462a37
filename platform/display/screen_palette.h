#pragma once

#include "windows.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace mullion {

// The system palette of an 8-bit screen: 256 entries whose first and last ten hold the 20
// static colours; the 236 between are free for logical palettes to claim when they are
// realized. A screen pixel is an index into it.
class ScreenPalette {
public:
    static constexpr int entry_count = 256;
    static constexpr int static_count = 20;

    ScreenPalette();

    // The system index of static colour n (0..19): the first ten at the start, the rest at
    // the end, so that an index and its bitwise inverse hold inverse colours.
    static uint8_t static_index(int n) { return uint8_t(n < 10 ? n : entry_count - 20 + n); }
    static bool is_static(int index) { return index < 10 || index >= entry_count - 10; }

    PALETTEENTRY entry(int index) const;
    std::vector<PALETTEENTRY> entries() const;
    // The colour of every index, as 0x00RRGGBB, for showing the screen.
    std::array<uint32_t, entry_count> pixels() const;
    // The index of the static colour nearest to a 0x00RRGGBB pixel.
    uint8_t nearest_static(uint32_t pixel) const;
    // The index of the nearest colour among the static ones and those palettes claimed.
    uint8_t nearest_in_use(uint32_t pixel) const;

    struct Realization {
        std::vector<uint8_t> mapping; // system index of every logical entry
        UINT remapped = 0;            // entries whose system index differs from before
        bool changed = false;         // whether the system palette itself changed
    };
    // Maps a logical palette onto the system palette. A foreground realization first gives up
    // every claimed entry, so the palette of the active window gets all 236; a background one
    // keeps what others claimed. Entries matching a colour in use share it; others claim free
    // entries while any remain and take the nearest colour after that. `previous` is the
    // mapping of the palette's last realization (empty if none).
    Realization realize(const std::vector<PALETTEENTRY>& logical,
                        const std::vector<uint8_t>& previous, bool foreground);

    // Back to the static colours alone (a new screen mode).
    void reset();

private:
    uint8_t nearest_locked(uint32_t pixel, bool statics_only) const;

    mutable std::mutex m_lock;
    std::array<PALETTEENTRY, entry_count> m_entries{};
    std::array<bool, entry_count> m_in_use{};
};

} // namespace mullion
