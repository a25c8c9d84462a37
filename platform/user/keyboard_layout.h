#pragma once

#include "windows.h"

#include <optional>

namespace mullion {

// The US keyboard layout: scan codes of the virtual keys and the characters they type.
class KeyboardLayout {
public:
    // The scan code (set 1) of the key, 0 when it has none.
    static UINT scan_code(UINT virtual_key);
    // Keys of the extended block (arrows, navigation keys, right Ctrl and Alt, ...), flagged
    // by bit 24 of a key message's lParam.
    static bool is_extended(UINT virtual_key);
    // The character the key types with these modifiers, as TranslateMessage produces it:
    // letters, digits, space, Enter ('\r'), Tab, Backspace (8), Escape (27), US punctuation,
    // and with Ctrl the control characters (Ctrl+A..Z give 1..26).
    static std::optional<char> character(UINT virtual_key, bool shift, bool control,
                                         bool caps_lock);
};

} // namespace mullion
