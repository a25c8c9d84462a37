#include "screen_mode.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace mullion {

namespace {

constexpr int largest_screen_side = 16384;

// Reads a decimal number up to the next 'x' (or the end), advancing past the separator.
std::optional<int> take_number(std::string_view& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    text.remove_prefix(size_t(end - text.data()));
    if (!text.empty()) {
        if (text.front() != 'x' && text.front() != 'X')
            return std::nullopt;
        text.remove_prefix(1);
        if (text.empty())
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<ScreenMode> parse_screen_mode(std::string_view text) {
    ScreenMode mode;
    auto width = take_number(text);
    if (!width || text.empty())
        return std::nullopt;
    auto height = take_number(text);
    if (!height)
        return std::nullopt;
    if (!text.empty()) {
        auto depth = take_number(text);
        if (!depth || !text.empty() || (*depth != 8 && *depth != 32))
            return std::nullopt;
        mode.bits_per_pixel = *depth;
    }
    if (*width < 1 || *height < 1 || *width > largest_screen_side || *height > largest_screen_side)
        return std::nullopt;
    mode.width = *width;
    mode.height = *height;
    return mode;
}

ScreenMode screen_mode_from_environment() {
    const char* text = std::getenv("MULLION_SCREEN");
    if (!text || !*text)
        return ScreenMode{};
    if (auto mode = parse_screen_mode(text))
        return *mode;
    ScreenMode fallback;
    std::fprintf(stderr, "MULLION_SCREEN=\"%s\" is not WxH or WxHx8; using %dx%d\n", text,
                 fallback.width, fallback.height);
    return fallback;
}

} // namespace mullion
