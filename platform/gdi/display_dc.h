#pragma once

#include "region.h"
#include "surface.h"
#include "windows.h"

namespace mullion {

// What the window manager tells the graphics engine about a window's device context: the
// surface it draws on (the screen), where the context's device origin lies on that surface,
// and the part of the surface drawing may touch (the window's visible region, further cut to
// the update region inside BeginPaint). Rectangles are in surface pixels.
struct DisplayTarget {
    Surface* surface = nullptr;
    POINT origin{0, 0};
    Region visible;
    HWND window = nullptr;
};

// Creates a device context drawing onto a display target, in its default state.
HDC create_display_dc(const DisplayTarget& target);
// Points an existing display context at a new target (the window moved or was uncovered),
// keeping its selected objects and attributes.
void retarget_display_dc(HDC dc, const DisplayTarget& target);
// The window a display context was created for; null for memory contexts.
HWND display_dc_window(HDC dc);

} // namespace mullion
