#pragma once

#include <string>

namespace mullion {

// What a person would see, as JSON: {"windows": [...], "menus": [...]}. Every visible top-level
// window in z-order from the top, with all its children, and the menu bar of each visible
// top-level window that has one. Gathered through the public API, so it may be called from
// any thread (messages to the program's windows are answered by their own threads).
std::string dump_windows_json();

} // namespace mullion
