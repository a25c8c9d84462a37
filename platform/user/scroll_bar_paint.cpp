#include "scroll_bar_paint.h"

#include <algorithm>

namespace mullion {

namespace {

enum class ArrowDirection { Up, Down, Left, Right };

void fill_color(HDC dc, const RECT& rect, int color_index) {
    FillRect(dc, &rect, GetSysColorBrush(color_index));
}

// A filled triangle pointing in the direction, its base `base` pixels wide, centred in box.
void draw_arrow_glyph(HDC dc, const RECT& box, ArrowDirection direction, int color_index) {
    const int breadth = std::min(box.right - box.left, box.bottom - box.top);
    const int rows = std::max(1, breadth / 4);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    HBRUSH brush = GetSysColorBrush(color_index);
    for (int i = 0; i < rows; ++i) {
        // Row i (from the tip) is 2i+1 pixels long.
        const int tip = -rows / 2 + i;
        RECT line{};
        switch (direction) {
        case ArrowDirection::Up:
            line = RECT{cx - i, cy + tip, cx + i + 1, cy + tip + 1};
            break;
        case ArrowDirection::Down:
            line = RECT{cx - i, cy - tip, cx + i + 1, cy - tip + 1};
            break;
        case ArrowDirection::Left:
            line = RECT{cx + tip, cy - i, cx + tip + 1, cy + i + 1};
            break;
        case ArrowDirection::Right:
            line = RECT{cx - tip, cy - i, cx - tip + 1, cy + i + 1};
            break;
        }
        FillRect(dc, &line, brush);
    }
}

void draw_arrow_button(HDC dc, RECT box, ArrowDirection direction, bool pressed, bool enabled) {
    if (IsRectEmpty(&box))
        return;
    fill_color(dc, box, COLOR_BTNFACE);
    if (pressed) {
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        OffsetRect(&box, 1, 1);
    } else {
        RECT edge = box;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    if (enabled) {
        draw_arrow_glyph(dc, box, direction, COLOR_BTNTEXT);
        return;
    }
    RECT shadow = box;
    OffsetRect(&shadow, 1, 1);
    draw_arrow_glyph(dc, shadow, direction, COLOR_3DHIGHLIGHT);
    draw_arrow_glyph(dc, box, direction, COLOR_GRAYTEXT);
}

// The track's checker: pixels alternate between the two colours like a chessboard.
void fill_checker(HDC dc, const RECT& rect, int color_index, int other_index) {
    if (IsRectEmpty(&rect))
        return;
    static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(bits);
    // A monochrome pattern takes the text colour for 0 bits and the background for 1 bits.
    const COLORREF old_text = SetTextColor(dc, GetSysColor(color_index));
    const COLORREF old_background = SetBkColor(dc, GetSysColor(other_index));
    FillRect(dc, &rect, brush);
    SetTextColor(dc, old_text);
    SetBkColor(dc, old_background);
    DeleteObject(brush);
    DeleteObject(bits);
}

} // namespace

void paint_scroll_bar(HDC dc, const ScrollBarGeometry& geometry, ScrollBarPart pressed,
                      UINT disabled_arrows, bool enabled) {
    const bool vertical = geometry.vertical();
    const bool first_enabled = enabled && !(disabled_arrows & ESB_DISABLE_LTUP);
    const bool last_enabled = enabled && !(disabled_arrows & ESB_DISABLE_RTDN);
    draw_arrow_button(dc, geometry.first_arrow(),
                      vertical ? ArrowDirection::Up : ArrowDirection::Left,
                      pressed == ScrollBarPart::FirstArrow, first_enabled);
    draw_arrow_button(dc, geometry.last_arrow(),
                      vertical ? ArrowDirection::Down : ArrowDirection::Right,
                      pressed == ScrollBarPart::LastArrow, last_enabled);
    auto page_colors = [&](ScrollBarPart part) {
        return pressed == part ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR;
    };
    fill_checker(dc, geometry.first_page(), page_colors(ScrollBarPart::FirstPage),
                 COLOR_3DHIGHLIGHT);
    fill_checker(dc, geometry.last_page(), page_colors(ScrollBarPart::LastPage), COLOR_3DHIGHLIGHT);
    if (geometry.has_thumb()) {
        RECT thumb = geometry.thumb();
        fill_color(dc, thumb, COLOR_BTNFACE);
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

} // namespace mullion
