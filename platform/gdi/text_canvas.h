#pragma once

#include "device_context.h"
#include "font_instance.h"
#include "text_run.h"

#include <mutex>
#include <optional>

namespace mullion {

// Where text output lands: the surface a device context targets, clipped to the context's
// effective clip and optionally to a further device rectangle. Holds the surface's lock while
// it lives, keeps a DIB section's bits in step, and reports the changed area when done.
// Coordinates given to it are device coordinates of the context.
class TextCanvas {
public:
    TextCanvas(DeviceContext& dc, const RECT* device_clip);
    ~TextCanvas();
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    bool has_target() const { return m_surface != nullptr; }

    void fill(const RECT& device_rect, uint32_t pixel);
    // Draws the run's glyphs with the pen starting at (x, baseline), in one colour, with the
    // font's underline and strikeout.
    void draw_run(FontInstance& font, const TextRun& run, int x, int baseline, uint32_t pixel);
    void draw_glyph(const Glyph& glyph, int pen_x, int baseline, uint32_t pixel);

private:
    void note_changed(const RECT& surface_rect);

    DeviceContext& m_dc;
    Surface* m_surface = nullptr;
    Bitmap* m_dib_section = nullptr;
    Region m_clip; // surface coordinates
    POINT m_origin{0, 0};
    std::unique_lock<std::mutex> m_lock;
    RECT m_changed{0, 0, 0, 0};
};

} // namespace mullion
