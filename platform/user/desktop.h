#pragma once

#include "window.h"

namespace mullion {

// The desktop window ("#32769") belongs to no program thread: the window manager paints the
// parts of it that windows uncover itself, with COLOR_BACKGROUND, when the lock is released.
// The caller holds window_manager_lock().
void paint_pending_desktop();

} // namespace mullion
