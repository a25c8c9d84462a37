#pragma once

#include "windows.h"

namespace mullion {

// The cursor shape the presenter should show (SetCursor), or null while it is hidden
// (ShowCursor's display count below zero) or none was set.
HCURSOR current_cursor();

} // namespace mullion
