// Lines: MoveToEx, LineTo, GetCurrentPositionEx, Polyline.
#include "device_context.h"
#include "draw_session.h"
#include "pen_stroke.h"

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

void stroke_logical(const DeviceContext& dc, const POINT* points, int count) {
    const PenStroke pen(dc);
    if (pen.draws_nothing())
        return;
    const POINT origin = dc.device_origin();
    std::vector<POINT> device(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const POINT p = dc.logical_to_device(points[i]);
        device[size_t(i)] = POINT{p.x + origin.x, p.y + origin.y};
    }
    DrawSession session(dc, pen.bounds(device));
    pen.stroke(session, device);
}

} // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.current_position;
    dc->state.current_position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    const POINT points[2] = {dc->state.current_position, POINT{x, y}};
    stroke_logical(*dc, points, 2);
    dc->state.current_position = points[1];
    return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    auto dc = dc_of(hdc);
    if (!dc || !lppt)
        return FALSE;
    *lppt = dc->state.current_position;
    return TRUE;
}

BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
    auto dc = dc_of(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    stroke_logical(*dc, apt, cpt);
    return TRUE;
}
