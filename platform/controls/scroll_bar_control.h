#pragma once

#include "../user/scroll_bar_state.h"
#include "windows.h"

namespace mullion {

// The "ScrollBar" control (SBS_HORZ or SBS_VERT): a scroll bar filling its window, drawn and
// tracked like a window's standard bars; it notifies its parent with WM_HSCROLL or WM_VSCROLL
// carrying its own handle. Each control keeps a ScrollBarControlState in its first extra bytes.
struct ScrollBarControlState {
    ScrollBarState bar{ScrollBarState::Owner::Control};
};

LRESULT CALLBACK scroll_bar_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
