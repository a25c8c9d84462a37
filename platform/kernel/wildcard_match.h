#pragma once

#include <string_view>

namespace mullion {

// Matches a file name against a FindFirstFileA pattern with Windows's rules: letters without
// regard to case; "*" any run of characters; "?" one character, or none at the end of the
// name or before a dot; "*.*" everything, names without a dot included; a "*" followed by a
// dot stops at the name's last dot, and a dot followed by "*" or "?" may match the end of a
// name that has no extension ("*." names without one).
bool wildcard_match(std::string_view pattern, std::string_view name);

} // namespace mullion
