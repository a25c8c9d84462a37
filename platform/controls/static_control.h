#pragma once

#include "windows.h"

namespace mullion {

// The "Static" class: text, icons, bitmaps, filled rectangles, frames and etched lines. Each
// control keeps a StaticState in its first extra bytes.
struct StaticState {
    HFONT font = nullptr;
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
};

LRESULT CALLBACK static_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
