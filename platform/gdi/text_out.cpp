// TextOutA and ExtTextOutA.
#include "text_out.h"

#include "font.h"
#include "text_canvas.h"
#include "text_run.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace mullion {

bool extended_text_out(DeviceContext& dc, int x, int y, UINT options, const RECT* rect,
                       std::string_view text, const INT* dx, UINT align) {
    double scale_x = 1;
    double scale_y = 1;
    const auto font = realized_font(dc, &scale_x, &scale_y);
    if (!font)
        return false;
    const TEXTMETRICA& metrics = font->metrics();

    const bool update_position = (align & TA_UPDATECP) != 0;
    const POINT reference =
        dc.logical_to_device(update_position ? dc.state.current_position : POINT{x, y});
    const int extra = int(std::lround(dc.state.text_character_extra * scale_x));
    const TextRun run = layout_text_run(*font, text, extra, dx, scale_x);

    int left = reference.x;
    switch (align & (TA_LEFT | TA_RIGHT | TA_CENTER)) {
    case TA_RIGHT:
        left -= run.width;
        break;
    case TA_CENTER:
        left -= run.width / 2;
        break;
    }
    int top = reference.y;
    switch (align & (TA_TOP | TA_BOTTOM | TA_BASELINE)) {
    case TA_BOTTOM:
        top -= metrics.tmHeight;
        break;
    case TA_BASELINE:
        top -= metrics.tmAscent;
        break;
    }

    std::optional<RECT> device_rect;
    if (rect)
        device_rect = dc.logical_to_device(*rect);
    {
        const bool clipped = device_rect && (options & ETO_CLIPPED);
        RECT area = TextCanvas::text_area(*font, left, top, run.width);
        if (device_rect && (options & ETO_OPAQUE))
            area =
                RECT{std::min(area.left, device_rect->left), std::min(area.top, device_rect->top),
                     std::max(area.right, device_rect->right),
                     std::max(area.bottom, device_rect->bottom)};
        TextCanvas canvas(dc, area, clipped ? &*device_rect : nullptr);
        const uint32_t background = dc.pixel_for(dc.state.background_color);
        if (device_rect && (options & ETO_OPAQUE))
            canvas.fill(*device_rect, background);
        if (dc.state.background_mode == OPAQUE && run.width > 0)
            canvas.fill(RECT{left, top, left + run.width, top + metrics.tmHeight}, background);
        canvas.draw_run(*font, run, left, top + metrics.tmAscent,
                        dc.pixel_for(dc.state.text_color));
    }

    // The current position moves past the text in the direction it was written.
    if (update_position) {
        POINT moved = reference;
        switch (align & (TA_LEFT | TA_RIGHT | TA_CENTER)) {
        case TA_LEFT:
            moved.x += run.width;
            break;
        case TA_RIGHT:
            moved.x -= run.width;
            break;
        }
        dc.state.current_position.x = dc.device_to_logical(moved).x;
    }
    return true;
}

} // namespace mullion

using namespace mullion;

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString,
                        UINT c, const INT* lpDx) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc || (c > 0 && !lpString))
        return FALSE;
    const std::string_view text(lpString ? lpString : "", c);
    return extended_text_out(*dc, x, y, options, lprect, text, lpDx, dc->state.text_align) ? TRUE
                                                                                           : FALSE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0)
        return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}
