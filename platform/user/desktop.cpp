#include "desktop.h"

#include "../display/screen.h"
#include "visible_region.h"

namespace mullion {

namespace {
LRESULT CALLBACK desktop_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

std::shared_ptr<Window> create_desktop() {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = desktop_window_proc;
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    description.lpszClassName = "#32769";
    register_window_class(description, true);

    auto desktop = std::make_shared<Window>();
    desktop->window_class = find_window_class("#32769", nullptr);
    desktop->window_class->window_count++;
    desktop->procedure = desktop_window_proc;
    desktop->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_POPUP;
    const Screen& screen = Screen::instance();
    desktop->rect = {0, 0, screen.width(), screen.height()};
    desktop->client = desktop->rect;
    desktop->normal_rect = desktop->rect;
    desktop->size_messages_pending = false;
    desktop->handle = static_cast<HWND>(HandleTable::instance().insert_permanent(desktop));
    // The screen starts out as bare desktop.
    desktop->update = Region(desktop->client);
    return desktop;
}
} // namespace

Window* desktop_window() {
    static std::shared_ptr<Window> desktop = create_desktop();
    return desktop.get();
}

void paint_pending_desktop() {
    Window* desktop = desktop_window();
    if (desktop->update.empty())
        return;
    const Region area = desktop->update.intersected(visible_region(desktop, VisibleArea::Client));
    desktop->update.clear();
    desktop->erase_pending = false;
    if (area.empty())
        return;
    const uint32_t pixel = Screen::instance().pixel_for(GetSysColor(COLOR_BACKGROUND));
    Surface& surface = Screen::instance().surface();
    {
        std::unique_lock<std::mutex> lock;
        if (surface.lock())
            lock = std::unique_lock(*surface.lock());
        for (const RECT& r : area.rects()) {
            for (int y = r.top; y < r.bottom; ++y)
                std::fill(surface.row(y) + r.left, surface.row(y) + r.right, pixel);
        }
    }
    surface.notify_changed(area.bounds());
}

} // namespace mullion

HWND WINAPI GetDesktopWindow(void) {
    mullion::WindowManagerGuard guard;
    return mullion::desktop_window()->handle;
}
