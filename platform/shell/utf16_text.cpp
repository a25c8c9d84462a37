#include "utf16_text.h"

namespace mullion {

namespace {

constexpr char32_t replacement_character = 0xFFFD;

// Decodes one UTF-8 sequence at text[pos]; advances pos past it (one byte for an ill-formed
// sequence). Overlong forms, surrogates and values above U+10FFFF are ill-formed.
bool decode_utf8(std::string_view text, size_t& pos, char32_t& code_point) {
    const auto byte_at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte_at(pos);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code_point = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code_point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code_point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code_point = lead & 0x07;
    } else {
        ++pos;
        return false;
    }
    if (pos + static_cast<size_t>(length) > text.size()) {
        ++pos;
        return false;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char continuation = byte_at(pos + static_cast<size_t>(i));
        if ((continuation & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        code_point = (code_point << 6) | (continuation & 0x3F);
    }
    if (code_point < minimum || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += static_cast<size_t>(length);
    return true;
}

void append_utf8(std::string& out, char32_t code_point) {
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code_point >> 18));
        out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

} // namespace

Utf16Conversion utf8_to_utf16(std::string_view utf8) {
    Utf16Conversion result;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t code_point = 0;
        if (!decode_utf8(utf8, pos, code_point)) {
            code_point = replacement_character;
            result.had_invalid = true;
        }
        if (code_point >= 0x10000) {
            code_point -= 0x10000;
            result.text += static_cast<char16_t>(0xD800 + (code_point >> 10));
            result.text += static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
        } else {
            result.text += static_cast<char16_t>(code_point);
        }
    }
    return result;
}

Utf8Conversion utf16_to_utf8(std::u16string_view utf16) {
    Utf8Conversion result;
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t code_point = utf16[i];
        const bool is_high = code_point >= 0xD800 && code_point <= 0xDBFF;
        const bool is_low = code_point >= 0xDC00 && code_point <= 0xDFFF;
        if (is_high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            code_point = 0x10000 + ((code_point - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (is_high || is_low) {
            code_point = replacement_character;
            result.had_invalid = true;
        }
        append_utf8(result.text, code_point);
    }
    return result;
}

} // namespace mullion
