#pragma once

#include "windows.h"

#include <cstddef>

namespace mullion {

// Builds a menu from a standard (version 0) or extended (version 1) menu template of at most
// size bytes; null when the template is malformed or runs past its end.
HMENU load_menu_template(const void* data, size_t size);

} // namespace mullion
