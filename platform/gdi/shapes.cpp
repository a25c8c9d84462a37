// Filled shapes: Rectangle and Ellipse, outlined with the pen and filled with the brush, both
// through the context's binary raster operation.
#include "brush_pattern.h"
#include "device_context.h"
#include "draw_session.h"
#include "pen_stroke.h"
#include "raster_operation.h"

#include <algorithm>
#include <cmath>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

// The pixels of the ellipse inscribed in a box (right and bottom exclusive): those whose
// centre lies inside it.
Region ellipse_region(const RECT& box) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
    std::vector<RECT> rows;
    if (rx <= 0 || ry <= 0)
        return Region();
    for (LONG y = box.top; y < box.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (std::fabs(dy) > 1)
            continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        const LONG left = LONG(std::ceil(cx - half - 0.5));
        const LONG right = LONG(std::floor(cx + half - 0.5)) + 1;
        if (left < right)
            rows.push_back(RECT{left, y, right, y + 1});
    }
    return Region::from_rects(rows);
}

// Where a pen of `width` pixels draws the outline of a box: centred on the box's edge pixels,
// or entirely inside the box for PS_INSIDEFRAME. Returns the outer and inner boxes.
void outline_boxes(RECT box, int width, bool inside_frame, RECT& outer, RECT& inner) {
    const int low = width / 2, high = width - low;
    if (inside_frame) {
        box = RECT{box.left + low, box.top + low, box.right - high + 1, box.bottom - high + 1};
    }
    outer = RECT{box.left - low, box.top - low, box.right + high - 1, box.bottom + high - 1};
    inner = RECT{box.left + high, box.top + high, box.right - low - 1, box.bottom - low - 1};
}

enum class Shape { Rectangle, Ellipse };

BOOL draw_shape(HDC hdc, int left, int top, int right, int bottom, Shape shape) {
    auto dc = dc_of(hdc);
    if (!dc)
        return FALSE;
    RECT box = dc->logical_to_device(RECT{left, top, right, bottom});
    const POINT origin = dc->device_origin();
    OffsetRect(&box, origin.x, origin.y);
    if (box.right <= box.left || box.bottom <= box.top)
        return TRUE;
    const PenStroke pen(*dc);
    const BrushPattern brush(*dc, dc->state.brush.get());
    const int rop2 = dc->state.rop2;
    auto region_of = [&](const RECT& r) {
        return shape == Shape::Ellipse ? ellipse_region(r) : Region(r);
    };

    RECT outer = box, inner;
    if (pen.draws_nothing()) {
        // Without a pen the filled area is one pixel smaller in each direction.
        inner = RECT{box.left, box.top, box.right - 1, box.bottom - 1};
    } else {
        outline_boxes(box, pen.width(), pen.inside_frame(), outer, inner);
    }
    DrawSession session(*dc,
                        RECT{outer.left - 1, outer.top - 1, outer.right + 1, outer.bottom + 1});
    if (!brush.is_null())
        session.fill_pattern(region_of(inner), brush, rop3_from_rop2(rop2));
    if (pen.draws_nothing())
        return TRUE;
    if (shape == Shape::Rectangle && !pen.is_wide() && box.right - box.left > 1 &&
        box.bottom - box.top > 1) {
        // A cosmetic outline is the closed line through the edge pixels, so styles apply.
        const std::vector<POINT> path{{box.left, box.top},
                                      {box.right - 1, box.top},
                                      {box.right - 1, box.bottom - 1},
                                      {box.left, box.bottom - 1},
                                      {box.left, box.top}};
        pen.stroke(session, path);
        return TRUE;
    }
    session.fill_rop2(region_of(outer).subtracted(region_of(inner)), pen.pixel(), rop2);
    return TRUE;
}

} // namespace

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return draw_shape(hdc, left, top, right, bottom, Shape::Rectangle);
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return draw_shape(hdc, left, top, right, bottom, Shape::Ellipse);
}
