#pragma once

#include "../gdi/surface.h"
#include "windows.h"

#include <mutex>

namespace mullion {

// The one virtual screen every top-level window lives on. Its size and depth come from
// MULLION_SCREEN ("WxH", default 1024x768, or "WxHx8" for an 8-bit palette display).
class Screen {
public:
    static Screen& instance();

    Surface& surface() { return m_surface; }
    int width() const { return m_surface.width(); }
    int height() const { return m_surface.height(); }
    // 32, or 8 for a palette display.
    int bits_per_pixel() const { return m_bits_per_pixel; }
    std::mutex& lock() { return m_lock; }

    // Called by drawing on the screen surface; wakes the presenter to show the change.
    void changed(const RECT& rect);
    // The presenter takes the accumulated changed area, leaving it empty.
    RECT take_changes();
    void set_change_callback(void (*callback)());

private:
    Screen();
    Surface m_surface;
    int m_bits_per_pixel = 32;
    std::mutex m_lock;
    std::mutex m_changes_lock;
    RECT m_changes{0, 0, 0, 0};
    void (*m_change_callback)() = nullptr;
};

} // namespace mullion
