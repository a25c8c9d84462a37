// Middle-ellipsis shortening of a path for a field of a given width.
#pragma once

#include "cstring.h"

// Returns strText unchanged when it fits in cxWidth pixels as drawn by a plain device context
// of hwnd; otherwise replaces its middle by "..." and removes characters beside it until it
// fits. The empty text when cxWidth is 9 or less, the text is empty or no context is available.
CString FitPathToWidth(const CString& strText, HWND hwnd, int cxWidth);
