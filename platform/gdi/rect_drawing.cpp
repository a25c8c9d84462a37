// Rectangle drawing of the window manager: FillRect, FrameRect, InvertRect, DrawFocusRect,
// DrawEdge.
#include "brush.h"
#include "brush_pattern.h"
#include "device_context.h"
#include "draw_session.h"

#include <vector>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

constexpr uint8_t pattern_copy = 0xF0;
constexpr uint8_t destination_invert = 0x55;

// A brush argument may name a system colour as (HBRUSH)(COLOR_x + 1).
std::shared_ptr<Brush> brush_argument(HBRUSH hbr) {
    const auto value = reinterpret_cast<uintptr_t>(hbr);
    if (value > 0 && value <= COLOR_INFOBK + 1)
        hbr = GetSysColorBrush(int(value - 1));
    return HandleTable::instance().get<Brush>(hbr);
}

// A logical rectangle in surface coordinates; empty when right <= left or bottom <= top.
RECT surface_rect(const DeviceContext& dc, const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top)
        return RECT{0, 0, 0, 0};
    RECT device = dc.logical_to_device(r);
    const POINT origin = dc.device_origin();
    OffsetRect(&device, origin.x, origin.y);
    return device;
}

// The one-unit frame just inside a logical rectangle, in surface coordinates.
Region frame_region(const DeviceContext& dc, const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top)
        return Region();
    return Region::from_rects({surface_rect(dc, RECT{r.left, r.top, r.right, r.top + 1}),
                               surface_rect(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}),
                               surface_rect(dc, RECT{r.left, r.top, r.left + 1, r.bottom}),
                               surface_rect(dc, RECT{r.right - 1, r.top, r.right, r.bottom})});
}

void fill_with_brush(const DeviceContext& dc, const Region& region, const Brush& brush) {
    if (region.empty())
        return;
    const BrushPattern pattern(dc, &brush);
    DrawSession session(dc, region.bounds());
    session.fill_pattern(region, pattern, pattern_copy);
}

void fill_solid(DrawSession& session, const DeviceContext& dc, const Region& region,
                COLORREF color) {
    session.fill_rop2(region, dc.pixel_for(color), R2_COPYPEN);
}

} // namespace

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto dc = dc_of(hDC);
    auto brush = brush_argument(hbr);
    if (!dc || !lprc || !brush)
        return FALSE;
    fill_with_brush(*dc, Region(surface_rect(*dc, *lprc)), *brush);
    return TRUE;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto dc = dc_of(hDC);
    auto brush = brush_argument(hbr);
    if (!dc || !lprc || !brush)
        return FALSE;
    fill_with_brush(*dc, frame_region(*dc, *lprc), *brush);
    return TRUE;
}

BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) {
    auto dc = dc_of(hDC);
    if (!dc || !lprc)
        return FALSE;
    const RECT area = surface_rect(*dc, *lprc);
    DrawSession session(*dc, area);
    session.fill_pattern(Region(area), BrushPattern(*dc, nullptr), destination_invert);
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    auto dc = dc_of(hDC);
    if (!dc || !lprc)
        return FALSE;
    // Every other pixel of the frame is inverted, so drawing it again removes it.
    const Region frame = frame_region(*dc, *lprc);
    if (frame.empty())
        return TRUE;
    const POINT origin = dc->device_origin();
    DrawSession session(*dc, frame.bounds());
    const Region visible = frame.intersected(session.clip());
    for (const RECT& r : visible.rects())
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                if (((x - origin.x) + (y - origin.y)) % 2 == 0)
                    session.surface().row(y)[x] ^= 0xFFFFFF;
    return TRUE;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    auto dc = dc_of(hdc);
    if (!dc || !qrc)
        return FALSE;
    RECT r = *qrc;
    const bool mono = grfFlags & BF_MONO, flat = grfFlags & BF_FLAT;
    // Each of the two borders has a colour for its top-left and its bottom-right sides.
    struct Border {
        UINT raised, sunken;
        int raised_top_left, raised_bottom_right;
    };
    const Border borders[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
    };
    const RECT area = surface_rect(*dc, r);
    DrawSession session(*dc, area);
    for (int i = 0; i < 2; ++i) {
        const Border& border = borders[i];
        const bool raised = edge & border.raised, sunken = edge & border.sunken;
        if (!raised && !sunken)
            continue;
        int top_left, bottom_right;
        if (mono) {
            top_left = bottom_right = i == 0 ? COLOR_WINDOWFRAME : COLOR_WINDOW;
        } else if (flat) {
            top_left = bottom_right = i == 0 ? COLOR_3DSHADOW : COLOR_3DFACE;
        } else if (raised) {
            top_left = border.raised_top_left;
            bottom_right = border.raised_bottom_right;
        } else {
            // Sunken: shadows on the top-left, lights on the bottom-right.
            top_left = i == 0 ? COLOR_3DSHADOW : COLOR_3DDKSHADOW;
            bottom_right = i == 0 ? COLOR_3DHIGHLIGHT : COLOR_3DLIGHT;
        }
        if (r.right <= r.left || r.bottom <= r.top)
            break;
        // Top and left first; bottom and right run the full length over the corners.
        std::vector<RECT> light, dark;
        if (grfFlags & BF_TOP)
            light.push_back(surface_rect(*dc, RECT{r.left, r.top, r.right, r.top + 1}));
        if (grfFlags & BF_LEFT)
            light.push_back(surface_rect(*dc, RECT{r.left, r.top, r.left + 1, r.bottom}));
        if (grfFlags & BF_BOTTOM)
            dark.push_back(surface_rect(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}));
        if (grfFlags & BF_RIGHT)
            dark.push_back(surface_rect(*dc, RECT{r.right - 1, r.top, r.right, r.bottom}));
        fill_solid(session, *dc, Region::from_rects(light), GetSysColor(top_left));
        fill_solid(session, *dc, Region::from_rects(dark), GetSysColor(bottom_right));
        if (grfFlags & BF_LEFT)
            ++r.left;
        if (grfFlags & BF_TOP)
            ++r.top;
        if (grfFlags & BF_RIGHT)
            --r.right;
        if (grfFlags & BF_BOTTOM)
            --r.bottom;
    }
    if ((grfFlags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
        fill_solid(session, *dc, Region(surface_rect(*dc, r)),
                   GetSysColor(mono ? COLOR_WINDOW : COLOR_3DFACE));
    if (grfFlags & BF_ADJUST)
        *qrc = r;
    return TRUE;
}
