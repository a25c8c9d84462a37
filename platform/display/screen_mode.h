#pragma once

#include <optional>
#include <string_view>

namespace mullion {

// The size and depth of the virtual screen, as MULLION_SCREEN gives them: "WxH" for a true
// colour screen or "WxHx8" for an 8-bit palette display.
struct ScreenMode {
    int width = 1024;
    int height = 768;
    int bits_per_pixel = 32;

    bool operator==(const ScreenMode&) const = default;
};

// Parses "WxH", "WxHx32" or "WxHx8" (sizes 1 to 16384); nothing for anything else.
std::optional<ScreenMode> parse_screen_mode(std::string_view text);

// The mode MULLION_SCREEN asks for; when unset the default mode, and when malformed the default
// mode after a message on stderr.
ScreenMode screen_mode_from_environment();

} // namespace mullion
