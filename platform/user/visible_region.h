#pragma once

#include "../gdi/region.h"
#include "window.h"

namespace mullion {

enum class VisibleArea { Client, Whole };

// The part of the screen a window may draw on, in screen pixels: its client area (or whole
// window) cut by every ancestor's client area, minus the visible siblings above it where they
// clip (top-level windows always clip each other; child windows with WS_CLIPSIBLINGS), at every
// level of the tree, minus its visible children when it has WS_CLIPCHILDREN. Empty for hidden
// windows. The caller holds window_manager_lock().
Region visible_region(const Window* window, VisibleArea area);

} // namespace mullion
