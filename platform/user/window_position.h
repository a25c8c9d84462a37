#pragma once

#include "window.h"

namespace mullion {

// Flags the window manager adds to WM_WINDOWPOSCHANGED when the client area kept its size or
// position, so that DefWindowProcA sends WM_SIZE and WM_MOVE only for real changes.
constexpr UINT swp_no_client_size = 0x0800;
constexpr UINT swp_no_client_move = 0x1000;

// The maximized placement and tracking limits of a window: the defaults, then whatever
// WM_GETMINMAXINFO makes of them. Call without holding window_manager_lock().
MINMAXINFO query_min_max_info(HWND hwnd);

// CreateWindowExA's WS_MINIMIZE / WS_MAXIMIZE on a window created hidden: takes the state
// without showing the window.
void set_hidden_show_state(HWND hwnd, ShowState state);

// The caller holds window_manager_lock().
MINMAXINFO default_min_max_info(const Window* window);

} // namespace mullion
