#pragma once

#include "menu_drawing.h"
#include "windows.h"

namespace mullion {

enum class CaptionButton { None, Minimize, Maximize, Close };

// Draws the whole frame (border, caption with icon, title and buttons, menu bar, client edge)
// through the window DC. The caption is drawn active or inactive as the last WM_NCACTIVATE
// said; pressed names the caption button drawn pushed in.
void paint_nonclient(HWND hwnd, CaptionButton pressed = CaptionButton::None);

// Records the caption's active state (WM_NCACTIVATE) for later painting.
void set_frame_active(HWND hwnd, bool active);

// The menu bar's selection while a menu is tracked; repaints the bar.
void set_menu_bar_selection(HWND hwnd, int index, BarSelection how);

// Whether the caption button is usable (a missing box style disables it).
bool caption_button_enabled(HWND hwnd, CaptionButton button);

} // namespace mullion
