#pragma once

#include "windows.h"

namespace mullion {

// Where the parts of a window's frame lie, in window coordinates (the window's top-left
// corner is 0,0). Absent parts have empty rectangles.
struct NonclientLayout {
    DWORD style = 0;
    DWORD ex_style = 0;
    RECT window{};
    int frame = 0;        // the border's thickness on each side
    bool sizable = false; // the border resizes the window
    RECT caption{};       // the caption bar, without the line under it
    RECT system_icon{};
    RECT minimize_button{};
    RECT maximize_button{};
    RECT close_button{};
    RECT menu_bar{};
    // The standard scroll bars (WS_VSCROLL, WS_HSCROLL) inside the client edge, and the square
    // between them when both show.
    RECT vertical_scroll{};
    RECT horizontal_scroll{};
    RECT size_box{};
    RECT client{};
    HMENU menu = nullptr;
};

// Thickness of the border alone: sizing frame, fixed (dialog) frame, thin border or none.
int frame_thickness(DWORD style, DWORD ex_style);
bool has_caption(DWORD style);
// The window's menu bar: top-level (non-child) windows keep their menu in the id slot.
HMENU window_menu(HWND hwnd);

// The layout of a window of this size and style; the menu bar wraps its items into as many
// rows as the width needs.
NonclientLayout nonclient_layout(HWND hwnd, DWORD style, DWORD ex_style, int width, int height);
NonclientLayout nonclient_layout(HWND hwnd);

// WM_NCHITTEST's answer for a point in screen coordinates.
LRESULT nonclient_hit_test(HWND hwnd, POINT screen_point);

} // namespace mullion
