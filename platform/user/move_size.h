#pragma once

#include "windows.h"

namespace mullion {

// The modal loop of SC_MOVE and SC_SIZE: the window follows the mouse (or the arrow keys)
// with the mouse captured until the button goes up or Enter is pressed; Esc puts it back.
// size_edge is a WMSZ_ value naming the edge being dragged (0 when sizing from the keyboard,
// which drags the bottom-right corner); start is the mouse position in screen coordinates.
enum class MoveSizeKind { Move, Size };
void run_move_size_loop(HWND hwnd, MoveSizeKind kind, int size_edge, POINT start);

// Presses a caption button while the mouse is down over it (it pops out while the mouse is
// elsewhere) and reports whether the button was released over it.
bool track_caption_button(HWND hwnd, int hit_code);

// For a mouse message retrieved by a modal loop (client or non-client: which one arrives
// depends on whether the capture was set before the input was routed), its client-area
// message and its position in screen coordinates; false for other messages.
bool mouse_message_in_screen(const MSG& msg, UINT& client_message, POINT& screen_point);

} // namespace mullion
