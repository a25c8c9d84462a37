#pragma once

#include "font_instance.h"
#include "windows.h"

#include <string_view>
#include <vector>

namespace mullion {

// A line of text laid out along its baseline in device pixels, from x = 0.
struct TextRun {
    struct Character {
        char32_t code;
        int x;              // pen position
        size_t byte_offset; // where the character starts in the UTF-8 text
    };
    std::vector<Character> characters;
    int width = 0;
};

// Lays out UTF-8 text with the font's integer advances (no kerning) plus `character_extra`
// pixels after every character. With `dx` (one entry per byte of the text, in logical units,
// `scale_x` device pixels each) the pen instead moves by the entries of each character's
// bytes.
TextRun layout_text_run(FontInstance& font, std::string_view text, int character_extra,
                        const INT* dx = nullptr, double scale_x = 1);

} // namespace mullion
