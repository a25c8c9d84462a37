#pragma once

#include "list_box_model.h"

#include "windows.h"

#include <vector>

namespace mullion {

// The "ListBox" class with single selection: its items, the font and item height it draws
// with, its tab stops in dialog template units, and the mouse tracking state. Each control
// keeps a ListBoxState in its first extra bytes.
struct ListBoxState {
    ListBoxModel model;
    HFONT font = nullptr;
    int item_height = 16;
    std::vector<INT> tab_stop_units;
    bool focused = false;
    bool tracking = false;
};

LRESULT CALLBACK list_box_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
