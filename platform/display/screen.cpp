#include "screen.h"

#include <algorithm>
#include <array>
#include <utility>

namespace mullion {

namespace {

// The classic desktop colour, shown wherever no window has drawn yet.
constexpr COLORREF desktop_color = RGB(0, 128, 128);

} // namespace

Screen& Screen::instance() {
    static Screen screen;
    return screen;
}

Screen::Screen() {
    const ScreenMode mode = screen_mode_from_environment();
    m_bits_per_pixel = mode.bits_per_pixel;
    m_surface.resize(mode.width, mode.height, pixel_for(desktop_color));
    m_surface.set_lock(&m_lock);
    m_surface.set_change_listener([this](const RECT& rect) { changed(rect); });
}

void Screen::set_mode(const ScreenMode& mode) {
    {
        std::lock_guard guard(m_lock);
        m_bits_per_pixel = mode.bits_per_pixel;
        m_palette.reset();
        m_surface.resize(mode.width, mode.height, pixel_for(desktop_color));
    }
    changed(RECT{0, 0, mode.width, mode.height});
}

uint32_t Screen::pixel_for(COLORREF color) const {
    const uint32_t pixel = pixel_from_colorref(color & 0xFFFFFF);
    return indexed() ? m_palette.nearest_static(pixel) : pixel;
}

Surface Screen::shown_copy() {
    Surface copy;
    {
        std::lock_guard guard(m_lock);
        copy = m_surface;
    }
    if (indexed()) {
        const auto colors = m_palette.pixels();
        uint32_t* pixels = copy.data();
        const size_t count = size_t(copy.width()) * size_t(copy.height());
        for (size_t i = 0; i < count; ++i)
            pixels[i] = colors[pixels[i] & 0xFF];
    }
    return copy;
}

void Screen::copy_shown(const RECT& area, uint32_t* out, int stride) {
    const bool palette_display = indexed();
    std::array<uint32_t, ScreenPalette::entry_count> colors{};
    if (palette_display)
        colors = m_palette.pixels();
    std::lock_guard guard(m_lock);
    const int width = int(area.right - area.left);
    for (int y = int(area.top); y < int(area.bottom); ++y) {
        const uint32_t* row = m_surface.row(y) + area.left;
        uint32_t* target = out + size_t(y - area.top) * size_t(stride);
        for (int x = 0; x < width; ++x)
            target[x] = palette_display ? colors[row[x] & 0xFF] : row[x];
    }
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
