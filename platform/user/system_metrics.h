#pragma once

namespace mullion {

// The fixed metrics of the classic look at 96 pixels per logical inch, shared by the frame,
// the menus and GetSystemMetrics.
namespace metrics {
constexpr int border = 1;          // SM_CXBORDER
constexpr int edge = 2;            // SM_CXEDGE
constexpr int dialog_frame = 3;    // SM_CXDLGFRAME: a fixed frame
constexpr int sizing_frame = 4;    // SM_CXFRAME: a sizing border
constexpr int caption = 19;        // SM_CYCAPTION, including the line below the caption
constexpr int small_caption = 15;  // SM_CYSMCAPTION
constexpr int menu_bar = 19;       // SM_CYMENU: one row of the menu bar
constexpr int caption_button = 18; // SM_CXSIZE, SM_CYSIZE
constexpr int scroll_bar = 16;
constexpr int icon = 32;
constexpr int small_icon = 16;
constexpr int menu_check = 13;
constexpr int min_track_width = 112;
constexpr int min_track_height = 27;
} // namespace metrics

} // namespace mullion
