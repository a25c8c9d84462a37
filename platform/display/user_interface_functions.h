#pragma once

// The presenters and the scripted driver act on the program only through the public API and
// the input contract. Some of those functions belong to parts of the library that may be
// absent from a build (the clipboard, drag and drop, areas still being written): they are
// referenced weakly here, so that a missing one makes the step that needs it report "not
// supported" instead of keeping the library from linking.

#include "../user/input.h"
#include "../user/window_manager.h"
#include "windows.h"

#pragma weak EnumWindows
#pragma weak GetWindow
#pragma weak GetWindowTextA
#pragma weak GetClassNameA
#pragma weak GetDlgCtrlID
#pragma weak GetWindowLongA
#pragma weak GetWindowRect
#pragma weak GetClientRect
#pragma weak ClientToScreen
#pragma weak IsWindowVisible
#pragma weak IsWindowEnabled
#pragma weak SendMessageA
#pragma weak PostMessageA
#pragma weak GetMenu
#pragma weak GetMenuItemCount
#pragma weak GetMenuItemInfoA
#pragma weak OpenClipboard
#pragma weak EmptyClipboard
#pragma weak SetClipboardData
#pragma weak CloseClipboard
#pragma weak GlobalAlloc
#pragma weak GlobalLock
#pragma weak GlobalUnlock
#pragma weak GlobalFree

namespace mullion {

__attribute__((weak)) void inject_input(const InputEvent& event);
__attribute__((weak)) bool wait_until_idle(IdleKind kind, std::chrono::milliseconds timeout);
__attribute__((weak)) HWND input_focus_window();

// True when every function given is present in this build.
template <class... Function> bool functions_present(Function*... functions) {
    return ((functions != nullptr) && ...);
}

} // namespace mullion
