#pragma once

#include "../user/input.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// One press of a key with its modifiers, as a person makes it: the modifiers go down in order,
// then the key, then the character it types (if any), then everything comes up in reverse.
struct KeyStroke {
    std::vector<UINT> modifiers; // VK_CONTROL, VK_SHIFT, VK_MENU
    UINT virtual_key = 0;        // 0: a character no key of the keyboard types (text alone)
    std::string text;            // the UTF-8 character typed, empty for none

    std::vector<InputEvent> events() const;
};

// "F5", "Ctrl+N", "Alt+S", "Shift+Tab", "Enter", "A", "5", ";" ... (names without regard to
// case). A key that types a character on a US keyboard also types it, unless Ctrl or Alt is
// held, as a keyboard does. Nothing for an unknown name.
std::optional<KeyStroke> parse_key_spec(std::string_view spec);

// The keys a US keyboard presses to type `character` (one UTF-8 character): Shift for capitals
// and shifted punctuation; Enter for a line break, Tab for a tab. A character of no key is
// typed as text alone.
KeyStroke key_stroke_for_character(std::string_view character);

// The character an unshifted or shifted key types on a US keyboard; 0 for none.
char us_layout_character(UINT virtual_key, bool shifted);

// Splits UTF-8 text into its characters (an invalid byte stands alone).
std::vector<std::string_view> split_utf8_characters(std::string_view text);

} // namespace mullion
