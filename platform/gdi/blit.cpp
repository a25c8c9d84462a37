// Block transfers: PatBlt, BitBlt, StretchBlt, and SetPixel/GetPixel.
#include "bitmap.h"
#include "brush_pattern.h"
#include "device_context.h"
#include "draw_session.h"
#include "raster_operation.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

RECT normalized(POINT a, POINT b) {
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT offset_rect(RECT r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

RECT intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom)
        return RECT{0, 0, 0, 0};
    return r;
}

// The source pixels of a transfer, copied out before the destination is touched (so a
// transfer within one surface reads what was there before) and already converted into the
// destination's terms: a monochrome bitmap's 0 and 1 become the destination's text and
// background colours on a colour destination, and on a monochrome destination a colour
// source pixel becomes 1 exactly when it equals the source's background colour.
class SourceImage {
public:
    SourceImage(const DeviceContext& source, const RECT& wanted, const DeviceContext& destination) {
        Surface* surface = source.target_surface();
        if (!surface)
            return;
        m_area = intersection(wanted, RECT{0, 0, surface->width(), surface->height()});
        const int width = int(m_area.right - m_area.left), height = int(m_area.bottom - m_area.top);
        m_pixels.resize(width, height);
        if (width == 0 || height == 0)
            return;
        if (const Bitmap* bitmap = source.target_bitmap()) {
            for (int y = 0; y < height; ++y)
                bitmap->read_span(m_area.left, m_area.top + y, width, m_pixels.row(y));
        } else {
            std::unique_lock<std::mutex> lock;
            if (surface->lock())
                lock = std::unique_lock<std::mutex>(*surface->lock());
            for (int y = 0; y < height; ++y)
                std::memcpy(m_pixels.row(y), surface->row(m_area.top + y) + m_area.left,
                            size_t(width) * sizeof(uint32_t));
        }
        convert(source, destination);
    }

    const RECT& area() const { return m_area; }
    const uint32_t* row(int y) const { return m_pixels.row(y - m_area.top) - m_area.left; }

private:
    void convert(const DeviceContext& source, const DeviceContext& destination) {
        const bool source_monochrome = source.monochrome_target();
        const bool destination_monochrome = destination.monochrome_target();
        if (source_monochrome == destination_monochrome)
            return;
        uint32_t* pixels = m_pixels.data();
        const size_t count = size_t(m_pixels.width()) * size_t(m_pixels.height());
        if (source_monochrome) {
            const uint32_t zero = destination.pixel_for(destination.state.text_color);
            const uint32_t one = destination.pixel_for(destination.state.background_color);
            for (size_t i = 0; i < count; ++i)
                pixels[i] = pixels[i] ? one : zero;
        } else {
            const uint32_t background = source.pixel_for(source.state.background_color);
            for (size_t i = 0; i < count; ++i)
                pixels[i] = pixels[i] == background ? 0xFFFFFF : 0;
        }
    }

    RECT m_area{0, 0, 0, 0};
    Surface m_pixels;
};

// Nearest-neighbour mapping of destination offsets onto source offsets, mirrored when the
// two extents have opposite signs.
std::vector<int> offset_map(int destination_extent, int source_extent) {
    const int64_t d = std::abs(destination_extent), s = std::abs(source_extent);
    const bool mirrored = (destination_extent < 0) != (source_extent < 0);
    std::vector<int> map(static_cast<size_t>(d));
    for (int64_t i = 0; i < d; ++i) {
        const int64_t j = ((2 * i + 1) * s) / (2 * d);
        map[size_t(i)] = int(mirrored ? s - 1 - j : j);
    }
    return map;
}

BOOL transfer(DeviceContext& destination, int x, int y, int width, int height,
              const DeviceContext* source, int source_x, int source_y, int source_width,
              int source_height, DWORD rop) {
    const uint8_t index = rop3_index(rop);
    const bool uses_source = rop3_uses_source(index);
    if (uses_source && !source)
        return FALSE;
    const POINT d0 = destination.logical_to_device(POINT{x, y});
    const POINT d1 = destination.logical_to_device(POINT{x + width, y + height});
    const int device_width = int(d1.x - d0.x), device_height = int(d1.y - d0.y);
    if (device_width == 0 || device_height == 0)
        return TRUE;
    const RECT target = offset_rect(normalized(d0, d1), destination.device_origin());
    const BrushPattern brush(destination, destination.state.brush.get());
    if (!uses_source) {
        DrawSession session(destination, target);
        session.fill_pattern(Region(target), brush, index);
        return TRUE;
    }

    const POINT s0 = source->logical_to_device(POINT{source_x, source_y});
    const POINT s1 =
        source->logical_to_device(POINT{source_x + source_width, source_y + source_height});
    const int source_device_width = int(s1.x - s0.x), source_device_height = int(s1.y - s0.y);
    if (source_device_width == 0 || source_device_height == 0)
        return FALSE;
    const RECT source_rect = offset_rect(normalized(s0, s1), source->device_origin());
    const SourceImage image(*source, source_rect, destination);
    const RECT available = image.area();
    const std::vector<int> columns = offset_map(device_width, source_device_width);
    const std::vector<int> rows = offset_map(device_height, source_device_height);
    const bool uses_pattern = rop3_uses_pattern(index) && !brush.is_solid();
    if (rop3_uses_pattern(index) && brush.is_null())
        return TRUE;

    DrawSession session(destination, target);
    std::vector<uint32_t> source_span, pattern_span, result;
    std::vector<uint8_t> drawn;
    for (const RECT& r : session.clip().rects()) {
        for (int row = r.top; row < r.bottom; ++row) {
            const int sy = int(source_rect.top) + rows[size_t(row - target.top)];
            if (sy < available.top || sy >= available.bottom)
                continue;
            const uint32_t* source_row = image.row(sy);
            // Destination columns whose source pixel exists form one run (the map is monotonic).
            int first = int(r.left), last = int(r.right);
            auto source_column = [&](int column) {
                return int(source_rect.left) + columns[size_t(column - target.left)];
            };
            while (first < last && (source_column(first) < available.left ||
                                    source_column(first) >= available.right))
                ++first;
            while (last > first && (source_column(last - 1) < available.left ||
                                    source_column(last - 1) >= available.right))
                --last;
            const int count = last - first;
            if (count <= 0)
                continue;
            source_span.resize(size_t(count));
            for (int i = 0; i < count; ++i)
                source_span[size_t(i)] = source_row[source_column(first + i)];
            uint32_t* destination_row = session.surface().row(row) + first;
            const uint32_t* pattern = nullptr;
            if (uses_pattern) {
                pattern_span.resize(size_t(count));
                drawn.resize(size_t(count));
                brush.fetch(first, row, count, pattern_span.data(), drawn.data());
                pattern = pattern_span.data();
            }
            if (!uses_pattern || !brush.has_gaps()) {
                rop3_span(index, pattern, brush.solid_pixel(), source_span.data(),
                          destination_row, count);
                continue;
            }
            result.assign(destination_row, destination_row + count);
            rop3_span(index, pattern, 0, source_span.data(), result.data(), count);
            for (int i = 0; i < count; ++i)
                if (drawn[size_t(i)])
                    destination_row[i] = result[size_t(i)];
        }
    }
    return TRUE;
}

} // namespace

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    auto dc = dc_of(hdc);
    if (!dc || rop3_uses_source(rop3_index(rop)))
        return FALSE;
    return transfer(*dc, x, y, w, h, nullptr, 0, 0, 0, 0, rop);
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    auto dc = dc_of(hdc);
    auto source = hdcSrc ? dc_of(hdcSrc) : nullptr;
    if (!dc || (hdcSrc && !source))
        return FALSE;
    // The source rectangle has the same logical extent in the source context.
    return transfer(*dc, x, y, cx, cy, source.get(), x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                       int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    auto dc = dc_of(hdcDest);
    auto source = hdcSrc ? dc_of(hdcSrc) : nullptr;
    if (!dc || (hdcSrc && !source))
        return FALSE;
    return transfer(*dc, xDest, yDest, wDest, hDest, source.get(), xSrc, ySrc, wSrc, hSrc, rop);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto dc = dc_of(hdc);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->logical_to_device(POINT{x, y});
    const POINT origin = dc->device_origin();
    p.x += origin.x;
    p.y += origin.y;
    DrawSession session(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1});
    if (session.empty())
        return CLR_INVALID;
    const uint32_t pixel = dc->pixel_for(color);
    session.surface().set_pixel(p.x, p.y, pixel);
    return colorref_from_pixel(pixel);
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    auto dc = dc_of(hdc);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->logical_to_device(POINT{x, y});
    const POINT origin = dc->device_origin();
    p.x += origin.x;
    p.y += origin.y;
    if (!dc->effective_clip().contains(p.x, p.y))
        return CLR_INVALID;
    uint32_t pixel = 0;
    if (const Bitmap* bitmap = dc->target_bitmap()) {
        bitmap->read_span(p.x, p.y, 1, &pixel);
    } else {
        Surface* surface = dc->target_surface();
        std::unique_lock<std::mutex> lock;
        if (surface->lock())
            lock = std::unique_lock<std::mutex>(*surface->lock());
        pixel = surface->pixel(p.x, p.y);
    }
    return colorref_from_pixel(pixel);
}
