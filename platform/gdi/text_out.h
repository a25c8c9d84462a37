#pragma once

#include "device_context.h"
#include "windows.h"

#include <string_view>

namespace mullion {

// ExtTextOutA's work with the alignment given explicitly: draws one line of UTF-8 text with
// the context's font, colours and background mode, the reference point (x, y) in logical
// units placed as `align` (TA_ flags) says.
bool extended_text_out(DeviceContext& dc, int x, int y, UINT options, const RECT* rect,
                       std::string_view text, const INT* dx, UINT align);

} // namespace mullion
