// HRGN functions: CreateRectRgn, CombineRgn, OffsetRgn, GetRgnBox, PtInRegion, RectInRegion,
// EqualRgn, SetRectRgn.
#include "region_object.h"
#include "windows.h"

#include <algorithm>

using namespace mullion;

namespace {

std::shared_ptr<RegionObject> region_of(HRGN hrgn) {
    return HandleTable::instance().get<RegionObject>(hrgn);
}

RECT ordered(int x1, int y1, int x2, int y2) {
    return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

} // namespace

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
    auto region = std::make_shared<RegionObject>(Region(ordered(x1, y1, x2, y2)));
    return static_cast<HRGN>(HandleTable::instance().insert(region));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect) {
    if (!lprect)
        return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    auto region = region_of(hrgn);
    if (!region)
        return FALSE;
    region->region.set_rect(ordered(left, top, right, bottom));
    return TRUE;
}

int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    auto destination = region_of(hrgnDst);
    auto first = region_of(hrgnSrc1);
    if (!destination || !first)
        return ERROR;
    if (iMode == RGN_COPY) {
        destination->region = first->region;
        return destination->region.complexity();
    }
    auto second = region_of(hrgnSrc2);
    if (!second)
        return ERROR;
    const Region& a = first->region;
    const Region& b = second->region;
    switch (iMode) {
    case RGN_AND:
        destination->region = a.intersected(b);
        break;
    case RGN_OR:
        destination->region = a.united(b);
        break;
    case RGN_XOR:
        destination->region = a.xored(b);
        break;
    case RGN_DIFF:
        destination->region = a.subtracted(b);
        break;
    default:
        return ERROR;
    }
    return destination->region.complexity();
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
    auto region = region_of(hrgn);
    if (!region)
        return ERROR;
    region->region.offset(x, y);
    return region->region.complexity();
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
    auto region = region_of(hrgn);
    if (!region || !lprc)
        return ERROR;
    *lprc = region->region.bounds();
    return region->region.complexity();
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
    auto region = region_of(hrgn);
    return region && region->region.contains(x, y) ? TRUE : FALSE;
}

BOOL WINAPI RectInRegion(HRGN hrgn, const RECT* lprect) {
    auto region = region_of(hrgn);
    if (!region || !lprect)
        return FALSE;
    const RECT r = ordered(lprect->left, lprect->top, lprect->right, lprect->bottom);
    return region->region.intersects(r) ? TRUE : FALSE;
}

BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    auto first = region_of(hrgn1);
    auto second = region_of(hrgn2);
    if (!first || !second)
        return ERROR;
    return first->region == second->region ? TRUE : FALSE;
}
