#pragma once

#include <string>
#include <string_view>

namespace mullion {

// Conversions between the ANSI code page (UTF-8) and UTF-16. Ill-formed input becomes U+FFFD;
// the conversion reports whether it met any.
struct Utf16Conversion {
    std::u16string text;
    bool had_invalid = false;
};
struct Utf8Conversion {
    std::string text;
    bool had_invalid = false;
};

Utf16Conversion utf8_to_utf16(std::string_view utf8);
Utf8Conversion utf16_to_utf8(std::u16string_view utf16);

} // namespace mullion
