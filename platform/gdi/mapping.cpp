// Mapping modes: SetMapMode, window and viewport origins and extents, LPtoDP, DPtoLP.
#include "device_context.h"

#include <cmath>
#include <cstdlib>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

// Logical units per inch of the fixed mapping modes; the device has 96 pixels per inch.
constexpr int device_pixels_per_inch = 96;

bool fixed_scale_units_per_inch(int mode, int& units) {
    switch (mode) {
    case MM_LOMETRIC:
        units = 254;
        return true;
    case MM_HIMETRIC:
        units = 2540;
        return true;
    case MM_LOENGLISH:
        units = 100;
        return true;
    case MM_HIENGLISH:
        units = 1000;
        return true;
    case MM_TWIPS:
        units = 1440;
        return true;
    default:
        return false;
    }
}

bool extents_settable(int mode) {
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

// In MM_ISOTROPIC one logical unit has the same device size along both axes: the viewport
// extent of the axis with the larger scale shrinks to match the other.
void fix_isotropic(DeviceContext::State& state) {
    if (state.map_mode != MM_ISOTROPIC)
        return;
    SIZE& view = state.viewport_extent;
    const SIZE& window = state.window_extent;
    const double x_scale = std::fabs(double(view.cx) / window.cx);
    const double y_scale = std::fabs(double(view.cy) / window.cy);
    if (x_scale < y_scale) {
        const LONG cy = LONG(std::lround(x_scale * std::abs(window.cy)));
        view.cy = view.cy < 0 ? -cy : cy;
    } else if (y_scale < x_scale) {
        const LONG cx = LONG(std::lround(y_scale * std::abs(window.cx)));
        view.cx = view.cx < 0 ? -cx : cx;
    }
}

BOOL set_point(HDC hdc, POINT DeviceContext::State::*member, int x, int y, LPPOINT previous,
               bool offset) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    POINT& value = dc->state.*member;
    if (previous)
        *previous = value;
    value = offset ? POINT{value.x + x, value.y + y} : POINT{x, y};
    return TRUE;
}

BOOL get_point(HDC hdc, POINT DeviceContext::State::*member, LPPOINT out) {
    auto dc = dc_of(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->state.*member;
    return TRUE;
}

BOOL set_extent(HDC hdc, SIZE DeviceContext::State::*member, int x, int y, LPSIZE previous) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    SIZE& value = dc->state.*member;
    if (previous)
        *previous = value;
    if (!extents_settable(dc->state.map_mode))
        return TRUE;
    if (x == 0 || y == 0)
        return FALSE;
    value = SIZE{x, y};
    fix_isotropic(dc->state);
    return TRUE;
}

BOOL get_extent(HDC hdc, SIZE DeviceContext::State::*member, LPSIZE out) {
    auto dc = dc_of(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->state.*member;
    return TRUE;
}

} // namespace

int WINAPI SetMapMode(HDC hdc, int iMode) {
    auto dc = dc_of(hdc);
    if (!dc || iMode < MM_TEXT || iMode > MM_ANISOTROPIC)
        return 0;
    DeviceContext::State& state = dc->state;
    const int previous = state.map_mode;
    state.map_mode = iMode;
    int units = 0;
    if (iMode == MM_TEXT) {
        state.window_extent = SIZE{1, 1};
        state.viewport_extent = SIZE{1, 1};
    } else if (fixed_scale_units_per_inch(iMode, units) ||
               (iMode == MM_ISOTROPIC && previous != MM_ISOTROPIC &&
                fixed_scale_units_per_inch(MM_LOMETRIC, units))) {
        // Fixed scales: y grows upwards. MM_ISOTROPIC starts from the MM_LOMETRIC scale.
        state.window_extent = SIZE{units, units};
        state.viewport_extent = SIZE{device_pixels_per_inch, -device_pixels_per_inch};
    }
    return previous;
}

int WINAPI GetMapMode(HDC hdc) {
    auto dc = dc_of(hdc);
    return dc ? dc->state.map_mode : 0;
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return set_point(hdc, &DeviceContext::State::viewport_origin, x, y, lppt, false);
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    return get_point(hdc, &DeviceContext::State::viewport_origin, lppoint);
}

BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return set_point(hdc, &DeviceContext::State::viewport_origin, x, y, lppt, true);
}

BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return set_point(hdc, &DeviceContext::State::window_origin, x, y, lppt, false);
}

BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
    return get_point(hdc, &DeviceContext::State::window_origin, lppoint);
}

BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return set_point(hdc, &DeviceContext::State::window_origin, x, y, lppt, true);
}

BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
    return set_extent(hdc, &DeviceContext::State::viewport_extent, x, y, lpsz);
}

BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
    return set_extent(hdc, &DeviceContext::State::window_extent, x, y, lpsz);
}

BOOL WINAPI GetViewportExtEx(HDC hdc, LPSIZE lpsize) {
    return get_extent(hdc, &DeviceContext::State::viewport_extent, lpsize);
}

BOOL WINAPI GetWindowExtEx(HDC hdc, LPSIZE lpsize) {
    return get_extent(hdc, &DeviceContext::State::window_extent, lpsize);
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c) {
    auto dc = dc_of(hdc);
    if (!dc || (c > 0 && !lppt))
        return FALSE;
    for (int i = 0; i < c; ++i)
        lppt[i] = dc->logical_to_device(lppt[i]);
    return TRUE;
}

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    auto dc = dc_of(hdc);
    if (!dc || (c > 0 && !lppt))
        return FALSE;
    for (int i = 0; i < c; ++i)
        lppt[i] = dc->device_to_logical(lppt[i]);
    return TRUE;
}
