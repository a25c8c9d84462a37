#pragma once

#include "windows.h"

namespace mullion {

// A standard control keeps its state object behind the pointer in its first extra bytes, from
// WM_NCCREATE until WM_NCDESTROY; its handler sees every other message together with that state.
template <class State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT control_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new State));
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete state;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    if (!state)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    return Handle(hwnd, *state, message, wparam, lparam);
}

// Registers a global control class with room for the state pointer, double clicks, and a full
// repaint on every size change.
void register_control_class(const char* name, WNDPROC procedure);

} // namespace mullion
