#pragma once

#include "region.h"
#include "surface.h"

#include <mutex>

namespace mullion {

class Bitmap;
class BrushPattern;
class DeviceContext;

// One drawing operation on a context's target surface. While it lives it holds the surface's
// lock (the screen), and a DIB section's working copy is current for the area; when it ends
// the area is written back to the DIB's bits and reported to the surface's change listener
// (still under the lock).
// Every operation that writes pixels, text included, goes through one.
class DrawSession {
public:
    // `area`: the surface rectangle the operation may change, in surface coordinates.
    DrawSession(const DeviceContext& dc, const RECT& area);
    ~DrawSession();
    DrawSession(const DrawSession&) = delete;
    DrawSession& operator=(const DrawSession&) = delete;

    bool empty() const { return m_clip.empty(); }
    Surface& surface() { return *m_surface; }
    // Where drawing may land: the context's effective clip cut to the area.
    const Region& clip() const { return m_clip; }

    // Applies a binary raster operation with a constant pen pixel over a region (surface
    // coordinates), clipped.
    void fill_rop2(const Region& region, uint32_t pen, int rop2);
    void set_pixel_rop2(int x, int y, uint32_t pen, int rop2);
    // Applies a ternary raster operation without source over a region, clipped.
    void fill_pattern(const Region& region, const BrushPattern& brush, uint8_t rop3);

private:
    Surface* m_surface = nullptr;
    Bitmap* m_dib = nullptr;
    bool m_indexed = false;
    Region m_clip;
    std::unique_lock<std::mutex> m_lock;
};

} // namespace mullion
