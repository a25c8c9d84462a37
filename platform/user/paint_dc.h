#pragma once

#include "../gdi/display_dc.h"
#include "visible_region.h"

namespace mullion {

// Where a window's device context draws: the screen, with the origin at the window's client
// area (or whole window) and the window's visible region, cut to `clip` (client coordinates)
// when given. The caller holds window_manager_lock().
DisplayTarget window_display_target(const Window* window, VisibleArea area,
                                    const Region* clip = nullptr);

// A device context for the window's client area cut to its update region, for erasing or
// painting; null when the window is gone. Release it with ReleaseDC.
HDC update_region_dc(HWND hwnd);

} // namespace mullion
