#pragma once

#include "windows.h"

namespace mullion {

// The stock font for one of the GetStockObject font indices (OEM_FIXED_FONT ...
// DEFAULT_GUI_FONT), created once and never freed. Implemented with the fonts.
HGDIOBJ stock_font(int index);

} // namespace mullion
