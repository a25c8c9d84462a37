// Brushes: CreateSolidBrush, CreateHatchBrush, CreatePatternBrush, CreateBrushIndirect.
#include "brush.h"
#include "bitmap.h"

namespace mullion {

bool Brush::hatch_bit(int hatch, int x, int y) {
    x &= hatch_size - 1;
    y &= hatch_size - 1;
    const bool horizontal = y == hatch_size - 1;
    const bool vertical = x == hatch_size - 1;
    const bool forward = x == y;                   // top left to bottom right
    const bool backward = x + y == hatch_size - 1; // bottom left to top right
    switch (hatch) {
    case HS_HORIZONTAL:
        return horizontal;
    case HS_VERTICAL:
        return vertical;
    case HS_FDIAGONAL:
        return forward;
    case HS_BDIAGONAL:
        return backward;
    case HS_CROSS:
        return horizontal || vertical;
    case HS_DIAGCROSS:
        return forward || backward;
    default:
        return false;
    }
}

HBRUSH create_permanent_solid_brush(COLORREF color) {
    return static_cast<HBRUSH>(
        HandleTable::instance().insert_permanent(std::make_shared<Brush>(BS_SOLID, color)));
}

} // namespace mullion

using namespace mullion;

namespace {

HBRUSH insert_brush(std::shared_ptr<Brush> brush) {
    return static_cast<HBRUSH>(HandleTable::instance().insert(std::move(brush)));
}

} // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return insert_brush(std::make_shared<Brush>(BS_SOLID, color));
}

HBRUSH WINAPI CreateHatchBrush(int iHatch, COLORREF color) {
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
        return nullptr;
    return insert_brush(std::make_shared<Brush>(BS_HATCHED, color, iHatch));
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
    auto bitmap = HandleTable::instance().get<Bitmap>(hbm);
    if (!bitmap)
        return nullptr;
    // The brush keeps its own copy: the program may delete the bitmap afterwards.
    Surface pattern(bitmap->width(), bitmap->height());
    for (int y = 0; y < bitmap->height(); ++y)
        bitmap->read_span(0, y, bitmap->width(), pattern.row(y));
    const bool monochrome = bitmap->monochrome() && !bitmap->is_dib_section();
    return insert_brush(std::make_shared<Brush>(std::move(pattern), monochrome));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush)
        return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL:
        return insert_brush(std::make_shared<Brush>(BS_NULL, 0));
    case BS_HATCHED:
        return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default:
        return nullptr;
    }
}
