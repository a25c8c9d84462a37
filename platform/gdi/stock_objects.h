#pragma once

#include "windows.h"

namespace mullion {

class DeviceContext;

// The permanent object for a GetStockObject index; null for an unknown index.
HGDIOBJ stock_object(int index);
// Selects the defaults of a new context: black pen, white brush, the default palette and,
// for memory contexts, the 1x1 monochrome bitmap.
void initialize_default_state(DeviceContext& dc);

} // namespace mullion
