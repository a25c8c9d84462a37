#pragma once

#include "device_context.h"
#include "draw_session.h"
#include "font_instance.h"
#include "text_run.h"

namespace mullion {

// Where text output lands: one drawing session on the context's target, limited to a device
// rectangle the text may touch (and, for clipped text, cut to a further device rectangle).
// Coordinates given to it are device coordinates of the context.
class TextCanvas {
public:
    TextCanvas(DeviceContext& dc, const RECT& device_area, const RECT* device_clip);

    void fill(const RECT& device_rect, uint32_t pixel);
    // Draws the run's glyphs with the pen starting at (x, baseline), in one colour, with the
    // font's underline and strikeout.
    void draw_run(FontInstance& font, const TextRun& run, int x, int baseline, uint32_t pixel);
    void draw_glyph(const Glyph& glyph, int pen_x, int baseline, uint32_t pixel);

    // The device area a line of text may touch: its cell widened by the ink glyphs may put
    // outside it (overhanging italics, bearings below zero).
    static RECT text_area(const FontInstance& font, int left, int top, int width);

private:
    DrawSession m_session;
    POINT m_origin;
    bool m_monochrome;
};

} // namespace mullion
