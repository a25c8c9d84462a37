// Logical palettes: CreatePalette, palette entries, selection and realization.
#include "palette.h"
#include "device_context.h"

#include "../display/screen.h"

#include <vector>

namespace mullion {

namespace {

bool is_stock_palette(HGDIOBJ handle) {
    return HandleTable::instance().is_permanent(handle);
}

// Whether a realization in this context is in the foreground: its window belongs to the
// active top-level window and the program did not ask for the background.
bool realizes_in_foreground(const DeviceContext& dc) {
    if (dc.state.palette_forced_background || !dc.window)
        return false;
    const HWND active = GetForegroundWindow();
    return active && GetAncestor(dc.window, GA_ROOT) == active;
}

// Tells every top-level window that the system palette changed. Windows of other threads
// learn of it without this thread waiting for them.
void announce_palette_change(HWND cause) {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        LPARAM(&windows));
    const WPARAM wparam = reinterpret_cast<WPARAM>(cause);
    for (HWND window : windows) {
        if (!IsWindow(window))
            continue;
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            SendMessageA(window, WM_PALETTECHANGED, wparam, 0);
        else
            PostMessageA(window, WM_PALETTECHANGED, wparam, 0);
    }
}

} // namespace

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

std::vector<uint8_t> Palette::mapping() const {
    std::lock_guard guard(m_mapping_lock);
    return m_mapping;
}

void Palette::set_mapping(std::vector<uint8_t> mapping) {
    std::lock_guard guard(m_mapping_lock);
    m_mapping = std::move(mapping);
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

uint32_t system_palette_index(const DeviceContext& dc, COLORREF color) {
    ScreenPalette& system = Screen::instance().palette();
    const uint32_t form = color >> 24;
    const Palette* palette = dc.state.palette.get();
    if ((form == 1 || form == 2) && palette && !is_stock_palette(dc.state.palette_handle)) {
        const std::vector<uint8_t> mapping = palette->mapping();
        if (!mapping.empty()) {
            UINT entry = form == 1 ? (color & 0xFFFF) : palette->nearest_index(color & 0xFFFFFF);
            if (entry >= mapping.size())
                entry = 0;
            return mapping[entry];
        }
    }
    // An index into the default palette is an index into the static colours.
    if (form == 1 && (!palette || is_stock_palette(dc.state.palette_handle))) {
        const UINT entry = color & 0xFFFF;
        return ScreenPalette::static_index(entry < ScreenPalette::static_count ? int(entry) : 0);
    }
    return system.nearest_static(pixel_from_colorref(dc.resolve_color(color)));
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

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBackground) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    auto palette = HandleTable::instance().get<Palette>(hPal);
    if (!dc || !palette)
        return nullptr;
    HGDIOBJ previous = dc->state.palette_handle;
    dc->state.palette = palette;
    dc->state.palette_handle = hPal;
    dc->state.palette_forced_background = bForceBackground != FALSE;
    return static_cast<HPALETTE>(previous);
}

UINT WINAPI RealizePalette(HDC hdc) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc)
        return GDI_ERROR;
    // A true-colour screen has no system palette to change, and the default palette is the
    // static colours, always present.
    Screen& screen = Screen::instance();
    if (!screen.indexed() || !dc->state.palette || is_stock_palette(dc->state.palette_handle))
        return 0;
    Palette& palette = *dc->state.palette;
    const bool foreground = realizes_in_foreground(*dc);
    ScreenPalette::Realization result =
        screen.palette().realize(palette.entries(), palette.mapping(), foreground);
    palette.set_mapping(std::move(result.mapping));
    if (result.changed)
        announce_palette_change(dc->window);
    return result.remapped;
}

UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries,
                                    LPPALETTEENTRY pPalEntries) {
    if (!HandleTable::instance().get<DeviceContext>(hdc) || !Screen::instance().indexed())
        return 0;
    if (!pPalEntries)
        return ScreenPalette::entry_count;
    const std::vector<PALETTEENTRY> system = Screen::instance().palette().entries();
    UINT copied = 0;
    for (; copied < cEntries && iStart + copied < system.size(); ++copied)
        pPalEntries[copied] = system[iStart + copied];
    return copied;
}
