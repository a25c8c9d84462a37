#pragma once

#include "windef.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace mullion {

// A 32-bpp pixel store, 0x00RRGGBB per pixel (blue in the low byte, as in a 32-bpp DIB), rows
// top-down. The screen and every screen-compatible bitmap are surfaces.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, uint32_t fill = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    uint32_t* row(int y) { return m_pixels.data() + size_t(y) * size_t(m_width); }
    const uint32_t* row(int y) const { return m_pixels.data() + size_t(y) * size_t(m_width); }
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, uint32_t value) { row(y)[x] = value; }
    uint32_t* data() { return m_pixels.data(); }
    const uint32_t* data() const { return m_pixels.data(); }
    void resize(int width, int height, uint32_t fill = 0);

    // The screen is drawn on by the program's threads while a presenter reads it: such a
    // surface has a lock that drawing holds, and a listener told of every changed rectangle.
    std::mutex* lock() const { return m_lock; }
    void set_lock(std::mutex* lock) { m_lock = lock; }
    void set_change_listener(std::function<void(const RECT&)> listener) {
        m_listener = std::move(listener);
    }
    void notify_changed(const RECT& rect) const {
        if (m_listener)
            m_listener(rect);
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
    std::mutex* m_lock = nullptr;
    std::function<void(const RECT&)> m_listener;
};

// COLORREF (0x00BBGGRR) to and from the surface's pixel value (0x00RRGGBB).
constexpr uint32_t pixel_from_colorref(COLORREF c) {
    return ((c & 0xff) << 16) | (c & 0xff00) | ((c >> 16) & 0xff);
}
constexpr COLORREF colorref_from_pixel(uint32_t p) {
    return ((p & 0xff) << 16) | (p & 0xff00) | ((p >> 16) & 0xff);
}

} // namespace mullion
