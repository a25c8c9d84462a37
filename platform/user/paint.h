#pragma once

#include "../gdi/region.h"
#include "window.h"

namespace mullion {

// Update-region bookkeeping. The caller holds window_manager_lock(); threads whose windows
// become due for painting are woken when the lock is released (WindowManagerGuard).

// RedrawWindow's invalidation and validation (RDW_INVALIDATE, RDW_VALIDATE, RDW_ERASE,
// RDW_FRAME, RDW_INTERNALPAINT and their negations, the children per RDW_ALLCHILDREN /
// RDW_NOCHILDREN and WS_CLIPCHILDREN). The area is in the window's client coordinates and may
// reach into the frame.
void redraw_window_area(Window* window, const Region& area, UINT flags);
// The window and all its descendants need painting completely, frames included.
void invalidate_subtree(Window* window);
// Part of the screen was uncovered: every window that shows there (the desktop included)
// repaints it, with its background erased. With a root, only that window's subtree.
void invalidate_screen_area(const Region& area, Window* root = nullptr);
// A hidden window has nothing to paint.
void drop_subtree_painting(Window* window);
// Whether WM_PAINT is due for the window.
bool needs_paint(const Window* window);

} // namespace mullion
