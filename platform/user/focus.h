#pragma once

#include "window.h"

namespace mullion {

// Activation and focus changes with their messages. Call without holding
// window_manager_lock().

// Makes the top-level window active (WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP when the
// active thread changes) and brings it to the top; null deactivates. Returns the window that
// was active.
HWND activate_window(HWND hwnd, WORD how);
// The window is going away (hidden, minimized, destroyed) while active: activates its owner
// or else the topmost other visible, enabled top-level window, or nothing.
void activate_other_window(HWND leaving);
// Changes the focus and sends WM_KILLFOCUS / WM_SETFOCUS; returns the previous focus.
HWND change_focus(HWND hwnd);

// The caller holds window_manager_lock().
HWND active_window_locked();
HWND focus_window_locked();
HWND capture_window_locked();
// The window is being destroyed: input state no longer names it.
void forget_input_state(const Window* window);

} // namespace mullion
