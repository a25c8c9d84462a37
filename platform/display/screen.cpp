#include "screen.h"

#include "screen_mode.h"

#include <algorithm>
#include <utility>

namespace mullion {

namespace {

// The classic desktop colour, shown wherever no window has drawn yet.
constexpr uint32_t desktop_pixel = 0x008080;

} // namespace

Screen& Screen::instance() {
    static Screen screen;
    return screen;
}

Screen::Screen() {
    ScreenMode mode = screen_mode_from_environment();
    m_bits_per_pixel = mode.bits_per_pixel;
    m_surface.resize(mode.width, mode.height, desktop_pixel);
    m_surface.set_lock(&m_lock);
    m_surface.set_change_listener([this](const RECT& rect) { changed(rect); });
}

void Screen::changed(const RECT& rect) {
    RECT clipped{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                 std::min<LONG>(rect.right, width()), std::min<LONG>(rect.bottom, height())};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom)
        return;
    void (*callback)() = nullptr;
    {
        std::lock_guard guard(m_changes_lock);
        if (m_changes.left >= m_changes.right || m_changes.top >= m_changes.bottom) {
            m_changes = clipped;
        } else {
            m_changes.left = std::min(m_changes.left, clipped.left);
            m_changes.top = std::min(m_changes.top, clipped.top);
            m_changes.right = std::max(m_changes.right, clipped.right);
            m_changes.bottom = std::max(m_changes.bottom, clipped.bottom);
        }
        ++m_change_count;
        callback = m_change_callback;
    }
    m_change_condition.notify_all();
    if (callback)
        callback();
}

RECT Screen::take_changes() {
    std::lock_guard guard(m_changes_lock);
    return std::exchange(m_changes, RECT{0, 0, 0, 0});
}

void Screen::set_change_callback(void (*callback)()) {
    std::lock_guard guard(m_changes_lock);
    m_change_callback = callback;
}

uint64_t Screen::change_count() {
    std::lock_guard guard(m_changes_lock);
    return m_change_count;
}

bool Screen::wait_for_change(uint64_t seen, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock guard(m_changes_lock);
    return m_change_condition.wait_until(guard, deadline, [&] { return m_change_count != seen; });
}

void Screen::wake_change_waiters() {
    {
        std::lock_guard guard(m_changes_lock);
        ++m_change_count;
    }
    m_change_condition.notify_all();
}

} // namespace mullion
