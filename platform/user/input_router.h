#pragma once

#include "input.h"
#include "keyboard_state.h"
#include "message_queue.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>

namespace mullion {

// Routes hardware input to the threads it is for and turns it into messages when they
// retrieve it. Keeps the cursor position and the keys' real-time state.
//
// Mouse input goes to the thread of the capture window, or of the window under the cursor;
// keyboard input to the thread of the focus window, or of the active window when nothing has
// the focus. The thread settles the rest when it looks at the event: hit testing, the cursor
// shape, activation by a click, double clicks and which window keyboard input is for.
class InputRouter {
public:
    static InputRouter& instance();

    void inject(const InputEvent& event);
    // Settles what a routed event becomes; null when it goes nowhere. Runs on the queue's
    // thread without queue_lock() held.
    std::optional<MSG> resolve(MessageQueue& queue, const QueuedInput& input);

    // --- With queue_lock() held ---
    POINT cursor_position_locked() const { return m_cursor; }
    // GetAsyncKeyState: down now (high bit), and pressed since the last query (bit 0).
    SHORT async_key_state_locked(int virtual_key);
    // ClipCursor: confines the cursor to the rectangle, or frees it.
    void set_cursor_clip_locked(std::optional<RECT> clip) { m_clip = clip; }
    std::optional<RECT> cursor_clip_locked() const { return m_clip; }

private:
    InputRouter() = default;
    void inject_mouse(const InputEvent& event);
    void inject_key(const InputEvent& event);
    void inject_text(const InputEvent& event);
    // Queues the input for the thread that owns `target`.
    void route(HWND target, std::shared_ptr<QueuedInput> input);
    std::optional<MSG> resolve_mouse(MessageQueue& queue, const QueuedInput& input);
    std::optional<MSG> resolve_keyboard(MessageQueue& queue, const QueuedInput& input);
    // Whether a button-down at this time and place, on this window and part of it, completes
    // a double click; remembers it as the first click otherwise.
    bool is_double_click(UINT message, HWND hwnd, bool client_area, DWORD time, POINT position);
    POINT confine(POINT position) const;

    // Serializes injection so that events are routed in the order they happened.
    std::mutex m_injecting;

    // Guarded by queue_lock().
    POINT m_cursor{0, 0};
    bool m_cursor_moved = false;
    KeyboardState m_async_keys;
    std::array<bool, 256> m_pressed_since_query{};
    std::optional<RECT> m_clip;
    // The last key pressed, until another key event: a Text event that follows belongs to it.
    std::shared_ptr<QueuedInput> m_last_key_down;
    struct Click {
        UINT message = 0;
        HWND hwnd = nullptr;
        bool client_area = false;
        DWORD time = 0;
        POINT position{0, 0};
    };
    std::optional<Click> m_first_click;
};

} // namespace mullion
