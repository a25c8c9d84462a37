#pragma once

#include "menu.h"
#include "windows.h"

#include <string_view>

namespace mullion {

// The interface font of menus and its bold twin used for captions (8 point at 96 dpi).
HFONT menu_font();
HFONT caption_font();

// Text extent of a label in a font, '&' mnemonic markers removed.
SIZE measure_label(HFONT font, std::string_view label);

// Lays the bar's items out in rows of the given width, a row per CYMENU; an item that does
// not fit on the current row, or that carries MFT_MENUBREAK / MFT_MENUBARBREAK, starts the
// next row. Stores the item rectangles (relative to the bar) and returns the bar's height.
int layout_menu_bar(HMENU menu, int width, HWND owner);

// How the bar shows its selected item: raised while the keyboard selects it, pushed while its
// popup is open.
enum class BarSelection { None, Selected, Open };

void draw_menu_bar(HDC dc, HMENU menu, const RECT& bar, int selected_index, BarSelection how,
                   HWND owner);

// Lays a popup menu's items out one under the other inside its raised frame; returns the
// popup window's size. Owner-drawn items are measured by WM_MEASUREITEM to the owner.
SIZE layout_popup_menu(HMENU menu, HWND owner);

void draw_popup_menu(HDC dc, HMENU menu, SIZE size, int selected_index, HWND owner);

// The index of the item whose rectangle holds the point (relative to the bar or popup), or -1.
int menu_item_from_point(HMENU menu, POINT point);

// Small glyphs shared with the caption buttons: drawn in the colour of the given system
// colour index, centred in box.
enum class Glyph { Check, RadioCheck, SubmenuArrow, Minimize, Maximize, Restore, Close };
void draw_glyph(HDC dc, Glyph glyph, const RECT& box, int color_index);

// The system check-mark bitmap (LoadBitmapA(nullptr, OBM_CHECK)): a monochrome bitmap of the
// menu check size with the check glyph in black (0 bits) on white, so that copying it to a
// colour device context paints the glyph in the text colour on the background colour. The
// caller owns the bitmap.
HBITMAP create_check_mark_bitmap();

} // namespace mullion
