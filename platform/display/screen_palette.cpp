#include "screen_palette.h"

namespace mullion {

namespace {

// The 20 static colours: the 16 of the classic display adapters and four more, in the order
// of the default palette.
constexpr BYTE static_colors[ScreenPalette::static_count][3] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

uint32_t pixel_of(const PALETTEENTRY& e) {
    return uint32_t(e.peRed) << 16 | uint32_t(e.peGreen) << 8 | e.peBlue;
}

int distance(const PALETTEENTRY& e, uint32_t pixel) {
    const int dr = int((pixel >> 16) & 0xFF) - e.peRed;
    const int dg = int((pixel >> 8) & 0xFF) - e.peGreen;
    const int db = int(pixel & 0xFF) - e.peBlue;
    return dr * dr + dg * dg + db * db;
}

} // namespace

ScreenPalette::ScreenPalette() {
    reset();
}

void ScreenPalette::reset() {
    std::lock_guard guard(m_lock);
    m_entries.fill(PALETTEENTRY{0, 0, 0, 0});
    m_in_use.fill(false);
    for (int n = 0; n < static_count; ++n) {
        const int index = static_index(n);
        m_entries[size_t(index)] =
            PALETTEENTRY{static_colors[n][0], static_colors[n][1], static_colors[n][2], 0};
        m_in_use[size_t(index)] = true;
    }
}

PALETTEENTRY ScreenPalette::entry(int index) const {
    std::lock_guard guard(m_lock);
    return m_entries[size_t(index)];
}

std::vector<PALETTEENTRY> ScreenPalette::entries() const {
    std::lock_guard guard(m_lock);
    return std::vector<PALETTEENTRY>(m_entries.begin(), m_entries.end());
}

std::array<uint32_t, ScreenPalette::entry_count> ScreenPalette::pixels() const {
    std::lock_guard guard(m_lock);
    std::array<uint32_t, entry_count> pixels{};
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = pixel_of(m_entries[i]);
    return pixels;
}

uint8_t ScreenPalette::nearest_locked(uint32_t pixel, bool statics_only) const {
    int best = 0, best_distance = 1 << 30;
    for (int i = 0; i < entry_count; ++i) {
        if (!m_in_use[size_t(i)] || (statics_only && !is_static(i)))
            continue;
        const int d = distance(m_entries[size_t(i)], pixel);
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    return uint8_t(best);
}

uint8_t ScreenPalette::nearest_static(uint32_t pixel) const {
    std::lock_guard guard(m_lock);
    return nearest_locked(pixel, true);
}

uint8_t ScreenPalette::nearest_in_use(uint32_t pixel) const {
    std::lock_guard guard(m_lock);
    return nearest_locked(pixel, false);
}

ScreenPalette::Realization ScreenPalette::realize(const std::vector<PALETTEENTRY>& logical,
                                                  const std::vector<uint8_t>& previous,
                                                  bool foreground) {
    std::lock_guard guard(m_lock);
    const auto entries_before = m_entries;
    if (foreground) {
        for (int i = 0; i < entry_count; ++i)
            if (!is_static(i))
                m_in_use[size_t(i)] = false;
    }
    Realization result;
    result.mapping.resize(logical.size());
    int next_free = 10;
    for (size_t n = 0; n < logical.size(); ++n) {
        const uint32_t wanted = pixel_of(logical[n]);
        const uint8_t nearest = nearest_locked(wanted, false);
        uint8_t index = nearest;
        if (distance(m_entries[nearest], wanted) != 0) {
            while (next_free < entry_count - 10 && m_in_use[size_t(next_free)])
                ++next_free;
            if (next_free < entry_count - 10) {
                index = uint8_t(next_free);
                m_entries[size_t(index)] =
                    PALETTEENTRY{logical[n].peRed, logical[n].peGreen, logical[n].peBlue, 0};
                m_in_use[size_t(index)] = true;
            }
        }
        result.mapping[n] = index;
        if (n >= previous.size() || previous[n] != index)
            ++result.remapped;
    }
    for (int i = 0; i < entry_count && !result.changed; ++i)
        result.changed = pixel_of(entries_before[size_t(i)]) != pixel_of(m_entries[size_t(i)]);
    return result;
}

} // namespace mullion
