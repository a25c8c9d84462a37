#pragma once

#include "../gdi/surface.h"

#include <string>

namespace mullion {

// Writes a surface as an 8-bit-per-channel RGB PNG, atomically. On failure returns false with
// the reason in `error`.
bool write_png(const Surface& surface, const std::string& path, std::string& error);

// A snapshot of the whole screen, taken under the screen lock so that no half-drawn change
// is caught.
bool write_screen_snapshot(const std::string& path, std::string& error);

} // namespace mullion
