#pragma once

#include "windows.h"

namespace mullion {

// Menu tracking entry points of the frame. Each runs the modal tracking loop on the calling
// thread (the owner window's) and returns when the menu closes; a chosen command is posted
// to the owner as WM_COMMAND (WM_SYSCOMMAND for the system menu).

// A click on the menu bar at this screen point: opens the clicked item's popup.
void track_menu_bar_with_mouse(HWND owner, POINT screen_point);
// A click on the system-menu icon: opens the system menu under it.
void track_system_menu_with_mouse(HWND owner);
// SC_KEYMENU: character 0 (Alt alone, F10) selects the first menu bar item, ' ' opens the
// system menu, any other character opens the bar item with that mnemonic.
void track_menu_from_keyboard(HWND owner, char character);

} // namespace mullion
