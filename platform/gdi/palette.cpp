// Logical palettes: CreatePalette, palette entries, selection and realization.
#include "palette.h"
#include "device_context.h"

#include "../display/screen.h"

namespace mullion {

UINT Palette::nearest_index(COLORREF color) const {
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    UINT best = 0;
    int best_distance = 1 << 30;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const int dr = r - m_entries[i].peRed, dg = g - m_entries[i].peGreen,
                  db = b - m_entries[i].peBlue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = UINT(i);
        }
    }
    return best;
}

std::vector<PALETTEENTRY> Palette::default_entries() {
    static const BYTE colors[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    std::vector<PALETTEENTRY> entries;
    for (const auto& c : colors)
        entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
    return entries;
}

} // namespace mullion

using namespace mullion;

HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal) {
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0)
        return nullptr;
    std::vector<PALETTEENTRY> entries(plpal->palPalEntry,
                                      plpal->palPalEntry + plpal->palNumEntries);
    return static_cast<HPALETTE>(
        HandleTable::instance().insert(std::make_shared<Palette>(std::move(entries))));
}

UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries,
                              LPPALETTEENTRY pPalEntries) {
    auto palette = HandleTable::instance().get<Palette>(hpal);
    if (!palette)
        return 0;
    const auto& entries = palette->entries();
    // Without a buffer the answer is the number of entries.
    if (!pPalEntries)
        return UINT(entries.size());
    UINT copied = 0;
    for (; copied < cEntries && iStart + copied < entries.size(); ++copied)
        pPalEntries[copied] = entries[iStart + copied];
    return copied;
}

UINT WINAPI SetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries,
                              const PALETTEENTRY* pPalEntries) {
    auto palette = HandleTable::instance().get<Palette>(hpal);
    if (!palette || !pPalEntries || HandleTable::instance().is_permanent(hpal))
        return 0;
    auto& entries = palette->entries();
    UINT copied = 0;
    for (; copied < cEntries && iStart + copied < entries.size(); ++copied)
        entries[iStart + copied] = pPalEntries[copied];
    return copied;
}

UINT WINAPI GetNearestPaletteIndex(HPALETTE h, COLORREF color) {
    auto palette = HandleTable::instance().get<Palette>(h);
    if (!palette)
        return CLR_INVALID;
    return palette->nearest_index(color);
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    auto palette = HandleTable::instance().get<Palette>(hPal);
    if (!dc || !palette)
        return nullptr;
    HGDIOBJ previous = dc->state.palette_handle;
    dc->state.palette = palette;
    dc->state.palette_handle = hPal;
    return static_cast<HPALETTE>(previous);
}

UINT WINAPI RealizePalette(HDC hdc) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc)
        return GDI_ERROR;
    // A true-colour screen has no system palette to change.
    if (Screen::instance().bits_per_pixel() > 8 || !dc->state.palette)
        return 0;
    return UINT(dc->state.palette->entries().size());
}

UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries,
                                    LPPALETTEENTRY pPalEntries) {
    if (!HandleTable::instance().get<DeviceContext>(hdc) || Screen::instance().bits_per_pixel() > 8)
        return 0;
    // The static colours sit at both ends of the 256 entries; the middle is free.
    std::vector<PALETTEENTRY> system(256, PALETTEENTRY{0, 0, 0, 0});
    const auto statics = Palette::default_entries();
    for (size_t i = 0; i < 10; ++i) {
        system[i] = statics[i];
        system[246 + i] = statics[10 + i];
    }
    if (!pPalEntries)
        return 256;
    UINT copied = 0;
    for (; copied < cEntries && iStart + copied < system.size(); ++copied)
        pPalEntries[copied] = system[iStart + copied];
    return copied;
}
