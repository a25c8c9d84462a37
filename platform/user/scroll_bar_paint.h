#pragma once

#include "scroll_bar_geometry.h"
#include "windows.h"

namespace mullion {

// Draws a scroll bar in the classic look: raised arrow buttons (sunken while pressed, gray
// arrows when disabled), the track in a checker of COLOR_SCROLLBAR and the 3-D highlight (dark
// under the pressed page part) and the raised thumb. The geometry's coordinates are the DC's.
void paint_scroll_bar(HDC dc, const ScrollBarGeometry& geometry, ScrollBarPart pressed,
                      UINT disabled_arrows, bool enabled);

} // namespace mullion
