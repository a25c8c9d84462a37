// Clipping: SelectClipRgn, ExtSelectClipRgn, IntersectClipRect, ExcludeClipRect, GetClipBox,
// PtVisible, RectVisible.
#include "device_context.h"
#include "region_object.h"

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

// Without a clip region a context may draw on its whole device surface.
Region current_clip(const DeviceContext& dc) {
    if (dc.state.has_clip_region)
        return dc.state.clip_region;
    constexpr LONG huge = 1 << 27;
    return Region(RECT{-huge, -huge, huge, huge});
}

// The complexity of what the context can draw on now, as the clip functions return it.
int visible_complexity(const DeviceContext& dc) {
    return dc.effective_clip().complexity();
}

int set_clip(DeviceContext& dc, Region region) {
    dc.state.clip_region = std::move(region);
    dc.state.has_clip_region = true;
    return visible_complexity(dc);
}

} // namespace

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    auto dc = dc_of(hdc);
    if (!dc)
        return ERROR;
    if (!hrgn) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->state.has_clip_region = false;
        dc->state.clip_region.clear();
        return visible_complexity(*dc);
    }
    auto region = HandleTable::instance().get<RegionObject>(hrgn);
    if (!region)
        return ERROR;
    // The region is given in device units; the context keeps its own copy.
    const Region& given = region->region;
    switch (mode) {
    case RGN_COPY:
        return set_clip(*dc, given);
    case RGN_AND:
        return set_clip(*dc, current_clip(*dc).intersected(given));
    case RGN_OR:
        return set_clip(*dc, current_clip(*dc).united(given));
    case RGN_XOR:
        return set_clip(*dc, current_clip(*dc).xored(given));
    case RGN_DIFF:
        return set_clip(*dc, current_clip(*dc).subtracted(given));
    default:
        return ERROR;
    }
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) {
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = dc_of(hdc);
    if (!dc)
        return ERROR;
    const RECT device = dc->logical_to_device(RECT{left, top, right, bottom});
    return set_clip(*dc, current_clip(*dc).intersected(device));
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = dc_of(hdc);
    if (!dc)
        return ERROR;
    const RECT device = dc->logical_to_device(RECT{left, top, right, bottom});
    return set_clip(*dc, current_clip(*dc).subtracted(device));
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
    auto dc = dc_of(hdc);
    if (!dc || !lprect)
        return ERROR;
    const Region visible = dc->effective_clip();
    RECT box = visible.bounds();
    const POINT origin = dc->device_origin();
    OffsetRect(&box, -origin.x, -origin.y);
    *lprect = visible.empty() ? RECT{0, 0, 0, 0} : dc->device_to_logical(box);
    return visible.complexity();
}

BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
    auto dc = dc_of(hdc);
    if (!dc)
        return -1;
    const POINT device = dc->logical_to_device(POINT{x, y});
    const POINT origin = dc->device_origin();
    return dc->effective_clip().contains(device.x + origin.x, device.y + origin.y) ? TRUE : FALSE;
}

BOOL WINAPI RectVisible(HDC hdc, const RECT* lprect) {
    auto dc = dc_of(hdc);
    if (!dc || !lprect)
        return FALSE;
    RECT device = dc->logical_to_device(*lprect);
    const POINT origin = dc->device_origin();
    OffsetRect(&device, origin.x, origin.y);
    return dc->effective_clip().intersects(device) ? TRUE : FALSE;
}
