#pragma once

#include "../gdi/surface.h"
#include "screen_mode.h"
#include "screen_palette.h"
#include "windows.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace mullion {

// The one virtual screen every top-level window lives on. Its size and depth come from
// MULLION_SCREEN ("WxH", default 1024x768, or "WxHx8" for an 8-bit palette display).
// On an 8-bit screen every surface pixel is an index into the system palette.
class Screen {
public:
    static Screen& instance();

    Surface& surface() { return m_surface; }
    int width() const { return m_surface.width(); }
    int height() const { return m_surface.height(); }
    // 32, or 8 for a palette display.
    int bits_per_pixel() const { return m_bits_per_pixel; }
    std::mutex& lock() { return m_lock; }
    bool indexed() const { return m_bits_per_pixel <= 8; }

    // The system palette (meaningful on an 8-bit screen).
    ScreenPalette& palette() { return m_palette; }
    // The surface pixel that shows a plain colour: itself, or the nearest static colour's
    // index on an 8-bit screen.
    uint32_t pixel_for(COLORREF color) const;
    // What the screen shows, as 0x00RRGGBB pixels: the whole screen, or one area into `out`
    // (rows of `stride` pixels). Both take the lock.
    Surface shown_copy();
    void copy_shown(const RECT& area, uint32_t* out, int stride);

    // Switches to another size and depth, as a display settings change does: the screen is
    // cleared to the desktop colour and the system palette back to its static colours.
    void set_mode(const ScreenMode& mode);

    // Called by drawing on the screen surface; wakes the presenter to show the change.
    void changed(const RECT& rect);
    // The presenter takes the accumulated changed area, leaving it empty.
    RECT take_changes();
    void set_change_callback(void (*callback)());

    // Every change (and every wake_change_waiters) bumps a counter, so that a thread can block
    // until the screen shows something new: wait_for_change returns true once the counter
    // differs from `seen`, false when the deadline passed first.
    uint64_t change_count();
    bool wait_for_change(uint64_t seen, std::chrono::steady_clock::time_point deadline);
    void wake_change_waiters();

private:
    Screen();
    Surface m_surface;
    int m_bits_per_pixel = 32;
    ScreenPalette m_palette;
    std::mutex m_lock;
    std::mutex m_changes_lock;
    RECT m_changes{0, 0, 0, 0};
    void (*m_change_callback)() = nullptr;
    uint64_t m_change_count = 0;
    std::condition_variable m_change_condition;
};

} // namespace mullion
