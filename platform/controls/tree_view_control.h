#pragma once

#include "tree_view_model.h"

#include "windows.h"

#include "commctrl.h"

namespace mullion {

// The "SysTreeView32" class: a hierarchy of items with text and images, expanded and collapsed
// by the user or the program, one selected item, and a vertical scroll bar when the rows do not
// fit. Each control keeps a TreeViewState in its first extra bytes.
struct TreeViewState {
    TreeViewModel model;
    HFONT font = nullptr;
    HIMAGELIST normal_images = nullptr;
    HIMAGELIST state_images = nullptr;
    TreeItem* selected = nullptr;
    TreeItem* drop_target = nullptr;
    // The row shown at the top of the client area, and how far the rows are scrolled left.
    int top = 0;
    int left = 0;
    int indent = 0;
    // Set by TVM_SETITEMHEIGHT; 0 follows the font and images.
    int fixed_item_height = 0;
    bool focused = false;
    // Set by TVM_SETBKCOLOR and TVM_SETTEXTCOLOR; CLR_NONE means the system colour.
    COLORREF background = CLR_NONE;
    COLORREF text_color = CLR_NONE;
};

// The font the control draws with: the one set by WM_SETFONT, else the default GUI font.
HFONT tree_view_font(const TreeViewState& state);

LRESULT CALLBACK tree_view_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
