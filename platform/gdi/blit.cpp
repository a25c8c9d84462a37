// Block transfers: PatBlt, BitBlt, StretchBlt, and SetPixel/GetPixel.
#include "bitmap.h"
#include "brush_pattern.h"
#include "device_context.h"
#include "draw_session.h"
#include "raster_operation.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

// The device pixels a transfer rectangle from corner a to corner b covers. Going left or up
// from a, the run still starts at a's pixel: x + w + 1 .. x for a negative width w, so that
// (x + w - 1, -w) mirrors exactly onto x .. x + w - 1.
RECT transfer_rect(POINT a, POINT b) {
    const LONG left = a.x <= b.x ? a.x : b.x + 1, right = a.x <= b.x ? b.x : a.x + 1;
    const LONG top = a.y <= b.y ? a.y : b.y + 1, bottom = a.y <= b.y ? b.y : a.y + 1;
    return RECT{left, top, right, bottom};
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
// source pixel becomes 1 exactly when it equals the source's background colour. Between an
// 8-bit screen and a colour bitmap, indices and colours go through the system palette.
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
        uint32_t* pixels = m_pixels.data();
        const size_t count = size_t(m_pixels.width()) * size_t(m_pixels.height());
        if (source_monochrome == destination_monochrome) {
            if (source.indexed_target() != destination.indexed_target())
                convert_colors(source, destination, pixels, count);
            return;
        }
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

    // Colour pixels from one target's terms into the other's, remembering each distinct
    // answer (a picture has few colours, and finding the nearest index is a search).
    static void convert_colors(const DeviceContext& source, const DeviceContext& destination,
                               uint32_t* pixels, size_t count) {
        std::unordered_map<uint32_t, uint32_t> converted;
        for (size_t i = 0; i < count; ++i) {
            auto [at, added] = converted.try_emplace(pixels[i], 0);
            if (added)
                at->second = destination.pixel_from_rgb(source.rgb_from_pixel(pixels[i]));
            pixels[i] = at->second;
        }
    }

    RECT m_area{0, 0, 0, 0};
    Surface m_pixels;
};

// Which source pixels feed one destination pixel, as offsets into the source extent: the
// nearest one, and the run of all those it stands for when the image shrinks.
struct SourceRun {
    int nearest;
    int first;
    int count;
};

// Maps destination offsets onto source offsets, mirrored when the two extents have opposite
// signs. Runs span the eliminated pixels only when `combine` is set (shrinking in the
// BLACKONWHITE and WHITEONBLACK stretch modes); otherwise each is the nearest pixel alone.
std::vector<SourceRun> offset_map(int destination_extent, int source_extent, bool combine) {
    const int64_t d = std::abs(destination_extent), s = std::abs(source_extent);
    const bool mirrored = (destination_extent < 0) != (source_extent < 0);
    std::vector<SourceRun> map(static_cast<size_t>(d));
    for (int64_t i = 0; i < d; ++i) {
        const int64_t nearest = ((2 * i + 1) * s) / (2 * d);
        int64_t first = nearest, last = nearest + 1;
        if (combine && s > d) {
            first = i * s / d;
            last = (i + 1) * s / d;
        }
        map[size_t(i)] = mirrored
                             ? SourceRun{int(s - 1 - nearest), int(s - last), int(last - first)}
                             : SourceRun{int(nearest), int(first), int(last - first)};
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
    const RECT target = offset_rect(transfer_rect(d0, d1), destination.device_origin());
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
    const RECT source_rect = offset_rect(transfer_rect(s0, s1), source->device_origin());
    const SourceImage image(*source, source_rect, destination);
    const RECT available = image.area();
    // BLACKONWHITE keeps dark pixels by ANDing the ones a shrink eliminates, WHITEONBLACK
    // keeps light ones by ORing them; the other modes simply drop them.
    const int stretch_mode = destination.state.stretch_mode;
    const bool combine = stretch_mode == BLACKONWHITE || stretch_mode == WHITEONBLACK;
    const bool combine_with_and = stretch_mode == BLACKONWHITE;
    const std::vector<SourceRun> columns = offset_map(device_width, source_device_width, combine);
    const std::vector<SourceRun> rows = offset_map(device_height, source_device_height, combine);
    // The combined value of the available source pixels a destination pixel stands for.
    auto combined = [&](const SourceRun& row_run, const SourceRun& column_run) {
        const int top = std::max<int>(int(source_rect.top) + row_run.first, available.top);
        const int bottom =
            std::min<int>(int(source_rect.top) + row_run.first + row_run.count, available.bottom);
        const int left = std::max<int>(int(source_rect.left) + column_run.first, available.left);
        const int right = std::min<int>(int(source_rect.left) + column_run.first + column_run.count,
                                        available.right);
        uint32_t value = combine_with_and ? 0xFFFFFF : 0;
        for (int sy = top; sy < bottom; ++sy)
            for (int sx = left; sx < right; ++sx)
                value = combine_with_and ? value & image.row(sy)[sx] : value | image.row(sy)[sx];
        return value;
    };
    const bool uses_pattern = rop3_uses_pattern(index) && !brush.is_solid();
    if (rop3_uses_pattern(index) && brush.is_null())
        return TRUE;

    DrawSession session(destination, target);
    std::vector<uint32_t> source_span, pattern_span, result;
    std::vector<uint8_t> drawn;
    for (const RECT& r : session.clip().rects()) {
        for (int row = r.top; row < r.bottom; ++row) {
            const SourceRun& row_run = rows[size_t(row - target.top)];
            const int sy = int(source_rect.top) + row_run.nearest;
            if (sy < available.top || sy >= available.bottom)
                continue;
            const uint32_t* source_row = image.row(sy);
            // Destination columns whose source pixel exists form one run (the map is monotonic).
            int first = int(r.left), last = int(r.right);
            auto source_column = [&](int column) {
                return int(source_rect.left) + columns[size_t(column - target.left)].nearest;
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
            for (int i = 0; i < count; ++i) {
                const SourceRun& column_run = columns[size_t(first + i - target.left)];
                source_span[size_t(i)] = row_run.count == 1 && column_run.count == 1
                                             ? source_row[source_column(first + i)]
                                             : combined(row_run, column_run);
            }
            uint32_t* destination_row = session.surface().row(row) + first;
            const uint32_t* pattern = nullptr;
            if (uses_pattern) {
                pattern_span.resize(size_t(count));
                drawn.resize(size_t(count));
                brush.fetch(first, row, count, pattern_span.data(), drawn.data());
                pattern = pattern_span.data();
            }
            if (!uses_pattern || !brush.has_gaps()) {
                rop3_span(index, pattern, brush.solid_pixel(), source_span.data(), destination_row,
                          count);
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
    return colorref_from_pixel(dc->rgb_from_pixel(pixel));
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
    return colorref_from_pixel(dc->rgb_from_pixel(pixel));
}
