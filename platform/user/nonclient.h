#pragma once

#include "windows.h"

namespace mullion {

// The default handling of the non-client area (frame, caption, caption buttons, system menu,
// menu bar, moving and sizing) and of the keyboard's menu access (Alt, F10, Alt+key, Alt+F4).
// DefWindowProcA offers these messages first: WM_NCCALCSIZE, WM_NCHITTEST, WM_NCPAINT,
// WM_NCACTIVATE, WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN/UP/DBLCLK, WM_NCRBUTTONDOWN/UP, WM_SYSCOMMAND,
// WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_KEYDOWN (F10), WM_SETTEXT (repaints the caption),
// WM_SETCURSOR (sizing cursors on the border). Returns true when it handled the message and
// stored the result.
bool nonclient_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// The frame's thickness on each side for a window of this style with or without a one-line
// menu bar: AdjustWindowRectEx's arithmetic, shared with window creation.
RECT nonclient_insets(DWORD style, DWORD ex_style, bool has_menu);

} // namespace mullion
