#pragma once

#include "windows.h"

namespace mullion {

// The system's icons (IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK,
// IDI_WINLOGO), drawn by the platform at the asked size (32 x 32 by default) and shared; null
// for other ids.
HICON system_icon(WORD id, int size = 32);

// The shared system cursors (IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_UPARROW, the size
// arrows, IDC_NO, IDC_HAND, IDC_APPSTARTING); null for other ids.
HCURSOR system_cursor(WORD id);

// The IDC_ number of a system cursor handle (so that a presenter can show the host's own
// cursor of that kind); 0 for any other handle.
int system_cursor_id(HCURSOR cursor);

} // namespace mullion
