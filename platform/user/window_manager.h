#pragma once

#include "windows.h"

#include <mutex>

namespace mullion {

// The window manager's shared state (the window tree, classes, focus, capture, activation,
// update regions) sits behind this one lock. Window procedures never run while it is held.
std::mutex& window_manager_lock();

// --- Provided by the window tree (user/window*.cpp) to the message queues ---

// The thread that created the window; 0 when hwnd is not a window.
DWORD window_thread_id(HWND hwnd);
// WM_PAINT generation: a window of the thread (hwnd itself or one of its descendants when
// filter is not null) whose update region is not empty or that asked for an internal paint,
// parents before their children; null when none.
HWND next_window_needing_paint(DWORD thread_id, HWND filter);
// Whether any window of the thread needs painting.
bool thread_needs_paint(DWORD thread_id);

// --- Provided by the message queues (user/message_queue*.cpp) to the window tree ---

// Something changed that the thread may retrieve (a paint became due): wakes it if it waits.
void wake_thread(DWORD thread_id);
// The window is being destroyed: drops the posted and input messages still queued for it.
void discard_window_messages(HWND hwnd);
// The calling thread is creating a window: gives it its message queue if it has none yet.
void ensure_message_queue();

} // namespace mullion

namespace mullion {

// --- Global input state, provided by the window tree for input routing ---

// The window with the keyboard focus, the active top-level window and the window that
// captured the mouse, on the one desktop; null when none.
HWND input_focus_window();
HWND input_active_window();
HWND input_capture_window();

} // namespace mullion
