#include "input_router.h"

#include "focus.h"
#include "keyboard_layout.h"
#include "message_queue_registry.h"
#include "window_manager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace mullion {

namespace {

// Non-client mouse messages are their client-area counterparts less this offset
// (WM_NCMOUSEMOVE = WM_MOUSEMOVE - 0x160, WM_NCLBUTTONDOWN = WM_LBUTTONDOWN - 0x160, ...).
constexpr UINT nonclient_message_offset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;
// A double click is the button-down message plus two, in both areas.
constexpr UINT double_click_offset = WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;

UINT button_virtual_key(InputEvent::Button button) {
    switch (button) {
    case InputEvent::Button::Right:
        return VK_RBUTTON;
    case InputEvent::Button::Middle:
        return VK_MBUTTON;
    default:
        return VK_LBUTTON;
    }
}

UINT client_mouse_message(const InputEvent& event) {
    if (event.type == InputEvent::Type::MouseMove)
        return WM_MOUSEMOVE;
    const bool down = event.type == InputEvent::Type::ButtonDown;
    switch (event.button) {
    case InputEvent::Button::Right:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case InputEvent::Button::Middle:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

bool is_button_down(UINT client_message) {
    return client_message == WM_LBUTTONDOWN || client_message == WM_RBUTTONDOWN ||
           client_message == WM_MBUTTONDOWN;
}

// Messages carry the key that stands for both sides of a pair.
UINT message_virtual_key(UINT virtual_key) {
    switch (virtual_key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return virtual_key;
    }
}

bool same_thread(HWND hwnd, DWORD thread_id) {
    return hwnd && window_thread_id(hwnd) == thread_id;
}

// The top-level window under the point, in z-order from the top, disabled ones included.
HWND top_level_window_at(POINT position) {
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        RECT rect;
        if (IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rect) && PtInRect(&rect, position))
            return hwnd;
    }
    return nullptr;
}

// The deepest visible window at a screen point inside the given window.
HWND deepest_visible_at(HWND window, POINT position) {
    for (;;) {
        RECT client{};
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!PtInRect(&client, position))
            return window;
        HWND found = nullptr;
        for (HWND child = GetWindow(window, GW_CHILD); child && !found;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect{};
            if (IsWindowVisible(child) && GetWindowRect(child, &rect) && PtInRect(&rect, position))
                found = child;
        }
        if (!found)
            return window;
        window = found;
    }
}

// Where input goes that a child window's transparent part passes on: the window beneath it
// at the point, that is a later sibling there (its deepest visible window), else its parent.
HWND window_beneath(HWND child, POINT position) {
    for (HWND sibling = GetWindow(child, GW_HWNDNEXT); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT rect{};
        if (IsWindowVisible(sibling) && GetWindowRect(sibling, &rect) && PtInRect(&rect, position))
            return deepest_visible_at(sibling, position);
    }
    return GetParent(child);
}

// The window mouse input at the point is for: the deepest enabled window there, or the
// top-level window itself when it is disabled (its click may activate its modal popup).
HWND window_at(POINT position) {
    const HWND top = top_level_window_at(position);
    if (!top || !IsWindowEnabled(top))
        return top;
    const HWND deepest = WindowFromPoint(position);
    return deepest && GetAncestor(deepest, GA_ROOT) == top ? deepest : top;
}

// The visible, enabled popup a disabled top-level window owns (the modal dialog that
// disabled it), found from the top of the z-order.
HWND enabled_popup_of(HWND owner) {
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd != owner && GetWindow(hwnd, GW_OWNER) == owner && IsWindowVisible(hwnd) &&
            IsWindowEnabled(hwnd))
            return hwnd;
    }
    return nullptr;
}

bool class_takes_double_clicks(HWND hwnd) {
    return (GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS) != 0;
}

LPARAM point_lparam(POINT position) {
    return MAKELPARAM(static_cast<WORD>(position.x), static_cast<WORD>(position.y));
}

} // namespace

InputRouter& InputRouter::instance() {
    static InputRouter* router = new InputRouter;
    return *router;
}

void InputRouter::inject(const InputEvent& event) {
    std::lock_guard injecting(m_injecting);
    switch (event.type) {
    case InputEvent::Type::MouseMove:
    case InputEvent::Type::ButtonDown:
    case InputEvent::Type::ButtonUp:
        inject_mouse(event);
        break;
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::KeyUp:
        inject_key(event);
        break;
    case InputEvent::Type::Text:
        inject_text(event);
        break;
    }
}

POINT InputRouter::confine(POINT position) const {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    RECT bounds{0, 0, width, height};
    if (m_clip)
        IntersectRect(&bounds, &bounds, &*m_clip);
    if (bounds.right > bounds.left)
        position.x = std::clamp<LONG>(position.x, bounds.left, bounds.right - 1);
    if (bounds.bottom > bounds.top)
        position.y = std::clamp<LONG>(position.y, bounds.top, bounds.bottom - 1);
    return position;
}

void InputRouter::route(HWND target, std::shared_ptr<QueuedInput> input) {
    const DWORD thread_id = target ? window_thread_id(target) : 0;
    if (!thread_id)
        return;
    input->target = target;
    std::lock_guard lock(queue_lock());
    auto queue = MessageQueueRegistry::instance().find_locked(thread_id);
    if (!queue)
        return;
    // A move after a move still waiting replaces it, as only the latest position matters.
    if (input->event.type == InputEvent::Type::MouseMove) {
        auto last = queue->last_input_locked();
        if (last && last->event.type == InputEvent::Type::MouseMove &&
            last->state == QueuedInput::State::Routed && last->target == target) {
            *last = *input;
            queue->changed_locked();
            return;
        }
    }
    queue->add_input_locked(std::move(input));
}

void InputRouter::inject_mouse(const InputEvent& event) {
    auto input = std::make_shared<QueuedInput>();
    input->event = event;
    input->message = client_mouse_message(event);
    {
        std::lock_guard lock(queue_lock());
        const POINT position = confine(event.position);
        if (event.type == InputEvent::Type::MouseMove && m_cursor_moved &&
            position.x == m_cursor.x && position.y == m_cursor.y)
            return; // the cursor did not move: nothing to tell
        m_cursor = position;
        m_cursor_moved = true;
        const UINT button = button_virtual_key(event.button);
        if (event.type == InputEvent::Type::ButtonDown) {
            m_async_keys.press(button);
            m_pressed_since_query[button] = true;
        } else if (event.type == InputEvent::Type::ButtonUp) {
            m_async_keys.release(button);
        }
        input->event.position = position;
        input->cursor = position;
        input->time = GetTickCount();
        input->wparam = m_async_keys.mouse_key_flags();
    }
    const HWND capture = input_capture_window();
    const HWND target = capture ? capture : window_at(input->cursor);
    route(target, std::move(input));
}

void InputRouter::inject_key(const InputEvent& event) {
    const bool down = event.type == InputEvent::Type::KeyDown;
    const UINT virtual_key = event.virtual_key & 0xff;
    auto input = std::make_shared<QueuedInput>();
    input->event = event;
    {
        std::lock_guard lock(queue_lock());
        const bool was_down = m_async_keys.is_down(virtual_key);
        if (down) {
            m_async_keys.press(virtual_key);
            m_pressed_since_query[virtual_key] = true;
        } else {
            m_async_keys.release(virtual_key);
        }
        const bool alt = m_async_keys.is_down(VK_MENU);
        const bool control = m_async_keys.is_down(VK_CONTROL);
        const UINT key = message_virtual_key(virtual_key);
        // Alt held (unless with Ctrl, as for AltGr), Alt itself and F10 make system keys.
        const bool system = !control && (alt || key == VK_MENU || key == VK_F10);
        input->message =
            down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        input->wparam = key;
        DWORD lparam = 1 | (KeyboardLayout::scan_code(virtual_key) << 16);
        if (KeyboardLayout::is_extended(virtual_key))
            lparam |= 1u << 24;
        if (alt)
            lparam |= 1u << 29; // context code: Alt is down
        if (was_down || !down)
            lparam |= 1u << 30; // previous key state
        if (!down)
            lparam |= 1u << 31; // transition state
        input->lparam = static_cast<LPARAM>(lparam);
        input->time = GetTickCount();
        input->cursor = m_cursor;
        if (down)
            m_last_key_down = input;
        else
            m_last_key_down.reset();
    }
    const HWND focus = input_focus_window();
    const HWND target = focus ? focus : input_active_window();
    route(target, std::move(input));
}

void InputRouter::inject_text(const InputEvent& event) {
    const std::string text(event.text, strnlen(event.text, sizeof event.text));
    if (text.empty())
        return;
    DWORD time;
    POINT cursor;
    {
        std::lock_guard lock(queue_lock());
        if (auto key_down = std::move(m_last_key_down)) {
            if (!key_down->retrieved) {
                // Still queued: TranslateMessage of that key-down produces this text.
                key_down->text = text;
                return;
            }
            // Already retrieved and translated from its virtual key, when the layout gives
            // that key a character.
            if (KeyboardLayout::character(static_cast<UINT>(key_down->wparam), false, false, false))
                return;
        }
        time = GetTickCount();
        cursor = m_cursor;
    }
    const HWND focus = input_focus_window();
    const HWND target = focus ? focus : input_active_window();
    // One WM_CHAR per byte of the UTF-8 text, as multi-byte characters reach "A" windows.
    for (unsigned char byte : text) {
        auto input = std::make_shared<QueuedInput>();
        input->event = event;
        input->message = WM_CHAR;
        input->wparam = byte;
        input->lparam = 1;
        input->time = time;
        input->cursor = cursor;
        route(target, std::move(input));
    }
}

SHORT InputRouter::async_key_state_locked(int virtual_key) {
    const UINT key = static_cast<UINT>(virtual_key) & 0xff;
    SHORT state = m_async_keys.is_down(key) ? static_cast<SHORT>(0x8000) : 0;
    if (m_pressed_since_query[key])
        state |= 1;
    m_pressed_since_query[key] = false;
    return state;
}

std::optional<MSG> InputRouter::resolve(MessageQueue& queue, const QueuedInput& input) {
    switch (input.event.type) {
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::KeyUp:
    case InputEvent::Type::Text:
        return resolve_keyboard(queue, input);
    default:
        return resolve_mouse(queue, input);
    }
}

std::optional<MSG> InputRouter::resolve_keyboard(MessageQueue& queue, const QueuedInput& input) {
    {
        // The thread's own key state follows the keys as it retrieves them.
        std::lock_guard lock(queue_lock());
        const UINT virtual_key = input.event.virtual_key & 0xff;
        if (input.event.type == InputEvent::Type::KeyDown)
            queue.key_state_locked().press(virtual_key);
        else if (input.event.type == InputEvent::Type::KeyUp)
            queue.key_state_locked().release(virtual_key);
    }
    const DWORD thread_id = queue.thread_id();
    MSG message{nullptr, input.message, input.wparam, input.lparam, input.time, input.cursor};
    const HWND focus = input_focus_window();
    const HWND active = input_active_window();
    if (same_thread(focus, thread_id)) {
        message.hwnd = focus;
    } else if (same_thread(active, thread_id)) {
        // With no window focused, keys go to the active window as system keys.
        message.hwnd = active;
        if (message.message == WM_KEYDOWN)
            message.message = WM_SYSKEYDOWN;
        else if (message.message == WM_KEYUP)
            message.message = WM_SYSKEYUP;
    } else if (same_thread(input.target, thread_id)) {
        message.hwnd = input.target;
    } else {
        return std::nullopt;
    }
    return message;
}

bool InputRouter::is_double_click(UINT message, HWND hwnd, bool client_area, DWORD time,
                                  POINT position) {
    const int width = GetSystemMetrics(SM_CXDOUBLECLK);
    const int height = GetSystemMetrics(SM_CYDOUBLECLK);
    const DWORD interval = GetDoubleClickTime();
    std::lock_guard lock(queue_lock());
    const bool is_double =
        m_first_click && m_first_click->message == message && m_first_click->hwnd == hwnd &&
        m_first_click->client_area == client_area && time - m_first_click->time <= interval &&
        std::abs(position.x - m_first_click->position.x) <= width / 2 &&
        std::abs(position.y - m_first_click->position.y) <= height / 2;
    // A double click ends the sequence: the next click starts a new one.
    if (is_double)
        m_first_click.reset();
    else
        m_first_click = Click{message, hwnd, client_area, time, position};
    return is_double;
}

std::optional<MSG> InputRouter::resolve_mouse(MessageQueue& queue, const QueuedInput& input) {
    const DWORD thread_id = queue.thread_id();
    const POINT position = input.cursor;
    const UINT client_message = input.message;
    const bool button_down = is_button_down(client_message);
    {
        std::lock_guard lock(queue_lock());
        const UINT button = button_virtual_key(input.event.button);
        if (input.event.type == InputEvent::Type::ButtonDown)
            queue.key_state_locked().press(button);
        else if (input.event.type == InputEvent::Type::ButtonUp)
            queue.key_state_locked().release(button);
    }

    HWND hwnd = input_capture_window();
    const bool captured = same_thread(hwnd, thread_id);
    if (!captured) {
        hwnd = window_at(position);
        if (!same_thread(hwnd, thread_id))
            hwnd = same_thread(input.target, thread_id) ? input.target : nullptr;
    }
    if (!hwnd)
        return std::nullopt;

    MSG message{hwnd, client_message, input.wparam, 0, input.time, position};
    if (captured) {
        // The capture window gets all mouse input as client-area input, without hit testing.
        POINT client = position;
        ScreenToClient(hwnd, &client);
        message.lParam = point_lparam(client);
        if (button_down && is_double_click(client_message, hwnd, true, input.time, position) &&
            class_takes_double_clicks(hwnd))
            message.message += double_click_offset;
        return message;
    }

    const HWND top = GetAncestor(hwnd, GA_ROOT);
    if (!IsWindowEnabled(hwnd) || (top && !IsWindowEnabled(top))) {
        // A disabled window takes no mouse input; a click on it brings forward the enabled
        // popup its top-level window owns (the modal dialog that disabled it).
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                     MAKELPARAM(static_cast<WORD>(HTERROR), client_message));
        if (button_down) {
            if (const HWND popup = enabled_popup_of(top))
                activate_window(popup, WA_CLICKACTIVE);
        }
        return std::nullopt;
    }

    LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, point_lparam(position));
    // A transparent part (a group box's) passes the input on to the window beneath.
    while (hit == HTTRANSPARENT) {
        const HWND beneath =
            (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? window_beneath(hwnd, position) : nullptr;
        if (!beneath)
            return std::nullopt;
        hwnd = beneath;
        message.hwnd = hwnd;
        hit = SendMessageA(hwnd, WM_NCHITTEST, 0, point_lparam(position));
    }

    bool eaten = false;
    if (button_down && top && top != input_active_window()) {
        const LRESULT answer = SendMessageA(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                            MAKELPARAM(static_cast<WORD>(hit), client_message));
        if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT)
            activate_window(top, WA_CLICKACTIVE);
        eaten = answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
    }
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                 MAKELPARAM(static_cast<WORD>(hit), client_message));
    if (eaten || hit == HTERROR || !IsWindow(hwnd))
        return std::nullopt;

    if (hit == HTCLIENT) {
        POINT client = position;
        ScreenToClient(hwnd, &client);
        message.lParam = point_lparam(client);
        if (button_down && is_double_click(client_message, hwnd, true, input.time, position) &&
            class_takes_double_clicks(hwnd))
            message.message += double_click_offset;
    } else {
        message.message = client_message - nonclient_message_offset;
        message.wParam = static_cast<WPARAM>(hit);
        message.lParam = point_lparam(position);
        // The frame takes double clicks whatever the class style.
        if (button_down && is_double_click(client_message, hwnd, false, input.time, position))
            message.message += double_click_offset;
    }
    return message;
}

} // namespace mullion
