#pragma once

#include "windows.h"

namespace mullion {

// The "Button" class: push buttons, check boxes, radio buttons, group boxes and owner-drawn
// buttons. The state of each button lives in a ButtonState that its window keeps in its
// first extra bytes.
struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    // The mouse went down inside and the button holds the capture, or Space is held.
    bool mouse_tracking = false;
    bool space_held = false;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
};

LRESULT CALLBACK button_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The kind of button a style makes.
enum class ButtonKind { Push, CheckBox, Radio, GroupBox, OwnerDraw };
ButtonKind button_kind(DWORD style);

} // namespace mullion
