// The DeviceContext's own computations (target, clip, mapping, colours) and the functions
// reading and writing plain context attributes.
#include "device_context.h"
#include "bitmap.h"
#include "palette.h"
#include "stock_objects.h"

#include "../display/screen.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace mullion {

namespace {

LONG scale(LONG value, LONG numerator, LONG denominator) {
    return LONG(std::lround(double(value) * double(numerator) / double(denominator)));
}

} // namespace

Surface* DeviceContext::target_surface() const {
    if (type == Type::Display)
        return display_surface;
    return state.bitmap ? &state.bitmap->surface() : nullptr;
}

Bitmap* DeviceContext::target_bitmap() const {
    return type == Type::Memory ? state.bitmap.get() : nullptr;
}

bool DeviceContext::monochrome_target() const {
    const Bitmap* bitmap = target_bitmap();
    return bitmap && bitmap->monochrome() && !bitmap->is_dib_section();
}

Region DeviceContext::effective_clip() const {
    Region area;
    if (type == Type::Display) {
        area = display_visible;
    } else {
        const Surface* surface = target_surface();
        if (!surface)
            return Region();
        area = Region(RECT{0, 0, surface->width(), surface->height()});
    }
    if (!state.has_clip_region)
        return area;
    Region clip = state.clip_region;
    const POINT origin = device_origin();
    clip.offset(origin.x, origin.y);
    return area.intersected(clip);
}

POINT DeviceContext::logical_to_device(POINT p) const {
    return POINT{
        scale(p.x - state.window_origin.x, state.viewport_extent.cx, state.window_extent.cx) +
            state.viewport_origin.x,
        scale(p.y - state.window_origin.y, state.viewport_extent.cy, state.window_extent.cy) +
            state.viewport_origin.y};
}

POINT DeviceContext::device_to_logical(POINT p) const {
    return POINT{
        scale(p.x - state.viewport_origin.x, state.window_extent.cx, state.viewport_extent.cx) +
            state.window_origin.x,
        scale(p.y - state.viewport_origin.y, state.window_extent.cy, state.viewport_extent.cy) +
            state.window_origin.y};
}

static RECT normalized(POINT a, POINT b) {
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT DeviceContext::logical_to_device(const RECT& r) const {
    return normalized(logical_to_device(POINT{r.left, r.top}),
                      logical_to_device(POINT{r.right, r.bottom}));
}

RECT DeviceContext::device_to_logical(const RECT& r) const {
    return normalized(device_to_logical(POINT{r.left, r.top}),
                      device_to_logical(POINT{r.right, r.bottom}));
}

int DeviceContext::logical_width_to_device(int width) const {
    return std::abs(scale(width, state.viewport_extent.cx, state.window_extent.cx));
}

COLORREF DeviceContext::resolve_color(COLORREF color) const {
    switch (color >> 24) {
    case 0x02:
        // Palette-relative: the nearest colour of a selected logical palette.
        if (state.palette && !HandleTable::instance().is_permanent(state.palette_handle)) {
            const PALETTEENTRY& e =
                state.palette->entries()[state.palette->nearest_index(color & 0xFFFFFF)];
            return RGB(e.peRed, e.peGreen, e.peBlue);
        }
        return color & 0xFFFFFF;
    case 0x01: {
        const UINT index = color & 0xFFFF;
        const Palette* palette = state.palette.get();
        const std::vector<PALETTEENTRY> defaults =
            palette ? std::vector<PALETTEENTRY>() : Palette::default_entries();
        const auto& entries = palette ? palette->entries() : defaults;
        if (index >= entries.size())
            return entries.empty() ? 0
                                   : RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue);
        return RGB(entries[index].peRed, entries[index].peGreen, entries[index].peBlue);
    }
    default:
        return color & 0xFFFFFF;
    }
}

uint32_t DeviceContext::pixel_for(COLORREF color) const {
    if (indexed_target())
        return system_palette_index(*this, color);
    const uint32_t pixel = pixel_from_colorref(resolve_color(color));
    return monochrome_target() ? monochrome_pixel(pixel) : pixel;
}

bool DeviceContext::indexed_target() const {
    return type == Type::Display && Screen::instance().indexed();
}

uint32_t DeviceContext::pixel_from_rgb(uint32_t rgb) const {
    if (indexed_target())
        return Screen::instance().palette().nearest_in_use(rgb);
    return monochrome_target() ? monochrome_pixel(rgb) : rgb & 0xFFFFFF;
}

uint32_t DeviceContext::rgb_from_pixel(uint32_t pixel) const {
    if (indexed_target()) {
        const PALETTEENTRY e = Screen::instance().palette().entry(int(pixel & 0xFF));
        return uint32_t(e.peRed) << 16 | uint32_t(e.peGreen) << 8 | e.peBlue;
    }
    return pixel;
}

} // namespace mullion

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

} // namespace

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !dc_of(hdc))
        return nullptr;
    auto dc = std::make_shared<DeviceContext>();
    dc->type = DeviceContext::Type::Memory;
    initialize_default_state(*dc);
    return static_cast<HDC>(HandleTable::instance().insert(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    if (!dc_of(hdc))
        return FALSE;
    return HandleTable::instance().remove(hdc) ? TRUE : FALSE;
}

int WINAPI SaveDC(HDC hdc) {
    auto dc = dc_of(hdc);
    if (!dc)
        return 0;
    dc->saved_states.push_back(dc->state);
    return int(dc->saved_states.size());
}

BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    const int depth = int(dc->saved_states.size());
    // A negative value counts back from the most recent save.
    const int level = nSavedDC < 0 ? depth + nSavedDC + 1 : nSavedDC;
    if (level < 1 || level > depth)
        return FALSE;
    dc->state = dc->saved_states[size_t(level - 1)];
    dc->saved_states.resize(size_t(level - 1));
    return TRUE;
}

int WINAPI SetROP2(HDC hdc, int rop2) {
    auto dc = dc_of(hdc);
    if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return std::exchange(dc->state.rop2, rop2);
}

int WINAPI GetROP2(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.rop2 : 0;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    auto dc = dc_of(hdc);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    return std::exchange(dc->state.background_mode, mode);
}

int WINAPI GetBkMode(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.background_mode : 0;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    auto dc = dc_of(hdc);
    return dc ? std::exchange(dc->state.background_color, color) : CLR_INVALID;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.background_color : CLR_INVALID;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    auto dc = dc_of(hdc);
    return dc ? std::exchange(dc->state.text_color, color) : CLR_INVALID;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.text_color : CLR_INVALID;
}

COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF color) {
    auto dc = dc_of(hdc);
    if (!dc)
        return CLR_INVALID;
    return colorref_from_pixel(dc->rgb_from_pixel(dc->pixel_for(color)));
}

BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.brush_origin;
    dc->state.brush_origin = POINT{x, y};
    return TRUE;
}

BOOL WINAPI GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
    auto dc = dc_of(hdc);
    if (!dc || !lppt)
        return FALSE;
    *lppt = dc->state.brush_origin;
    return TRUE;
}

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
    auto dc = dc_of(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(dc->state.stretch_mode, mode);
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    auto dc = dc_of(hdc);
    if (!dc)
        return GDI_ERROR;
    return std::exchange(dc->state.text_align, align);
}

UINT WINAPI GetTextAlign(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.text_align : GDI_ERROR;
}

BOOL WINAPI GdiFlush(void) {
    return TRUE;
}
