#pragma once

#include "../gdi/region.h"
#include "../kernel/handle_table.h"
#include "window_class.h"
#include "window_manager.h"
#include "windows.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mullion {

enum class ShowState { Normal, Minimized, Maximized };

class WindowScrollBars;

// One HWND: its place in the window tree, geometry, state and pending painting. All fields are
// guarded by window_manager_lock().
class Window : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Window;
    ObjectKind kind() const override { return object_kind; }

    HWND handle = nullptr;
    std::shared_ptr<WindowClass> window_class;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::string text;
    // The control identifier of a child window; the menu of a top-level window.
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    DWORD thread_id = 0;
    // Null only for the desktop window.
    Window* parent = nullptr;
    HWND owner = nullptr;
    // In z-order, the topmost first. The tree owns its windows.
    std::vector<std::shared_ptr<Window>> children;

    // Both rectangles are in the parent's client coordinates (screen coordinates for
    // top-level windows, whose parent is the desktop).
    RECT rect{0, 0, 0, 0};
    RECT client{0, 0, 0, 0};
    ShowState show_state = ShowState::Normal;
    RECT normal_rect{0, 0, 0, 0};
    POINT minimized_position{-1, -1};
    POINT maximized_position{-1, -1};
    // Restoring a window minimized from the maximized state maximizes it again.
    bool restore_to_maximized = false;

    std::vector<BYTE> extra;
    LONG_PTR user_data = 0;
    HICON big_icon = nullptr;
    HICON small_icon = nullptr;
    HDC own_dc = nullptr; // CS_OWNDC and CS_CLASSDC windows
    // The standard scroll bars' state, made when first used (user/scroll_bar*.cpp).
    std::shared_ptr<WindowScrollBars> scroll_bars;

    // Pending painting: the update region in client coordinates, whether the background and
    // the frame still need drawing, and RDW_INTERNALPAINT.
    Region update;
    bool erase_pending = false;
    bool frame_pending = false;
    bool internal_paint = false;
    bool redraw_disabled = false; // WM_SETREDRAW FALSE

    bool destroying = false;
    // WM_SIZE and WM_MOVE have not been sent yet: the first showing sends them.
    bool size_messages_pending = true;

    bool is_child() const { return (style & WS_CHILD) != 0; }
    bool is_desktop() const { return parent == nullptr; }
    bool is_top_level() const { return parent && parent->is_desktop(); }
};

// Everything below requires window_manager_lock() to be held by the caller.

// The window an HWND names; null for anything else (including destroyed windows).
Window* find_window(HWND hwnd);
// The desktop window, created on first use. It covers the screen and lies beneath everything.
Window* desktop_window();
// The screen position of the window's client area origin.
POINT client_origin(const Window* window);
RECT window_rect_on_screen(const Window* window);
RECT client_rect_on_screen(const Window* window);
// The window rectangle in the window's own client coordinates (frame included).
RECT window_rect_in_client(const Window* window);
// WS_VISIBLE on the window and every ancestor.
bool is_visible(const Window* window);
bool is_enabled(const Window* window);
// The top-level window containing the window (the window itself when it is top-level).
Window* top_level_of(Window* window);
bool is_descendant(const Window* ancestor, const Window* window);
// Unlinks the window from its parent's z-order and links it back. Topmost top-level windows
// (WS_EX_TOPMOST) stay above the others.
void unlink_window(Window* window);
enum class ZPlace { Top, Bottom, After };
void link_window(const std::shared_ptr<Window>& window, Window* parent, ZPlace place,
                 Window* after = nullptr);
std::shared_ptr<Window> shared_window(Window* window);
// Every window of the subtree, parents before children, in z-order.
void collect_subtree(Window* window, std::vector<Window*>& out);

// window_manager_lock() as a scope guard that finishes the work a change left for after the
// lock: the threads whose windows became due for painting are woken and the uncovered parts
// of the desktop are painted.
class WindowManagerGuard {
public:
    WindowManagerGuard();
    ~WindowManagerGuard();
    WindowManagerGuard(const WindowManagerGuard&) = delete;
    WindowManagerGuard& operator=(const WindowManagerGuard&) = delete;
    // Finishes early so that messages can be sent.
    void release();

private:
    std::unique_lock<std::mutex> m_lock;
};

// Remembers that a thread must be woken once the lock is released.
void wake_after_unlock(DWORD thread_id);

} // namespace mullion
