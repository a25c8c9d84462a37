// DrawTextA: formatted text in a rectangle, laid out by DrawTextLayout and drawn with the
// device context's font, colours and background mode.
#include "device_context.h"
#include "draw_text_layout.h"
#include "font.h"
#include "text_canvas.h"
#include "text_run.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace mullion;

namespace {

// Tab stops of DT_EXPANDTABS lie every eight average character widths.
constexpr int default_tab_characters = 8;

} // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc || !lprc || (!lpchText && cchText != 0))
        return 0;
    const std::string_view text(lpchText ? lpchText : "",
                                cchText < 0 ? std::strlen(lpchText) : size_t(cchText));
    double scale_x = 1;
    double scale_y = 1;
    const auto font = realized_font(*dc, &scale_x, &scale_y);
    if (!font)
        return 0;
    const TEXTMETRICA& metrics = font->metrics();

    // Layout happens in device pixels, the units the glyphs are measured in.
    const RECT bounds = dc->logical_to_device(*lprc);
    const int extra = int(std::lround(dc->state.text_character_extra * scale_x));
    auto measure = [&](std::string_view piece) {
        return layout_text_run(*font, piece, extra).width;
    };
    int tab_characters = default_tab_characters;
    if (format & DT_TABSTOP) {
        tab_characters = int((format >> 8) & 0xFF);
        format &= ~0xFF00u;
        if (tab_characters == 0)
            tab_characters = default_tab_characters;
    }
    const DrawTextLayout layout(text, format, bounds.right - bounds.left, measure,
                                tab_characters * int(metrics.tmAveCharWidth));
    const int line_height = int(metrics.tmHeight) +
                            ((format & DT_EXTERNALLEADING) ? int(metrics.tmExternalLeading) : 0);
    const int text_height = line_height * int(layout.lines().size());

    // Vertical alignment applies to single lines only; the offset counts in the result.
    int top = bounds.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = bounds.top + (bounds.bottom - bounds.top - text_height) / 2;
        else if (format & DT_BOTTOM)
            top = bounds.bottom - text_height;
    }
    const int used_height = top - bounds.top + text_height;
    const bool y_up = dc->logical_to_device(POINT{0, 1}).y < dc->logical_to_device(POINT{0, 0}).y;
    const int logical_height = int(std::lround(used_height / scale_y));

    if (format & DT_CALCRECT) {
        const int logical_width = int(std::lround(layout.width() / scale_x));
        lprc->right = lprc->left + logical_width;
        lprc->bottom = lprc->top + (y_up ? -1 : 1) * int(std::lround(text_height / scale_y));
        return logical_height;
    }

    // Each line's left edge, and everything the lines may touch.
    std::vector<int> line_left;
    RECT area{bounds.left, bounds.top, bounds.left, bounds.top};
    for (size_t i = 0; i < layout.lines().size(); ++i) {
        const int width = layout.lines()[i].width;
        int x = bounds.left;
        if (format & DT_CENTER)
            x = bounds.left + (bounds.right - bounds.left - width) / 2;
        else if (format & DT_RIGHT)
            x = bounds.right - width;
        line_left.push_back(x);
        const RECT line_area = TextCanvas::text_area(*font, x, top + int(i) * line_height, width);
        area = RECT{std::min(area.left, line_area.left), std::min(area.top, line_area.top),
                    std::max(area.right, line_area.right), std::max(area.bottom, line_area.bottom)};
    }
    const bool clip = !(format & DT_NOCLIP);
    TextCanvas canvas(*dc, area, clip ? &bounds : nullptr);
    const uint32_t text_pixel = dc->pixel_for(dc->state.text_color);
    const uint32_t background_pixel = dc->pixel_for(dc->state.background_color);
    const bool draw_text = !(format & DT_PREFIXONLY);
    const bool draw_underlines = !(format & (DT_HIDEPREFIX | DT_NOPREFIX));

    int line_top = top;
    for (size_t i = 0; i < layout.lines().size(); ++i) {
        const auto& line = layout.lines()[i];
        const int x = line_left[i];
        const int baseline = line_top + int(metrics.tmAscent);
        if (draw_text) {
            if (dc->state.background_mode == OPAQUE && line.width > 0)
                canvas.fill(RECT{x, line_top, x + line.width, line_top + line_height},
                            background_pixel);
            for (const auto& segment : layout.segments(line)) {
                const TextRun run = layout_text_run(*font, segment.text, extra);
                canvas.draw_run(*font, run, x + segment.x, baseline, text_pixel);
            }
        }
        if (draw_underlines) {
            for (size_t offset : line.underlined) {
                const int left = x + layout.position_of(line, offset);
                const int underline_top = baseline + font->underline_offset();
                canvas.fill(RECT{left, underline_top, left + layout.character_width(line, offset),
                                 underline_top + font->underline_thickness()},
                            text_pixel);
            }
        }
        line_top += line_height;
    }
    return logical_height;
}
