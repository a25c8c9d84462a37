// GetKeyState, GetAsyncKeyState, TranslateMessage, GetDoubleClickTime and MessageBeep.
#include "input_router.h"
#include "keyboard_layout.h"
#include "message_queue.h"
#include "message_queue_registry.h"

#include <string>

using namespace mullion;

namespace {

constexpr UINT double_click_time_ms = 500;

// Posts the characters a key-down types, one message per byte, to the key's window.
void post_characters(const MSG& key_down, UINT character_message, const std::string& text) {
    for (unsigned char byte : text)
        PostMessageA(key_down.hwnd, character_message, byte, key_down.lParam);
}

} // namespace

extern "C" {

SHORT WINAPI GetKeyState(int nVirtKey) {
    // The state as of the last key message the thread retrieved; a thread without a queue
    // sees the keys as they are now.
    auto queue = MessageQueueRegistry::instance().current_thread_queue_if_any();
    std::lock_guard lock(queue_lock());
    if (queue)
        return queue->key_state_locked().key_state(nVirtKey);
    return InputRouter::instance().async_key_state_locked(nVirtKey) & static_cast<SHORT>(0x8000);
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
    std::lock_guard lock(queue_lock());
    return InputRouter::instance().async_key_state_locked(vKey);
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg)
        return FALSE;
    const UINT message = lpMsg->message;
    if (message == WM_KEYUP || message == WM_SYSKEYUP)
        return TRUE;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
        return FALSE;
    const UINT character_message = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    std::string text;
    auto queue = MessageQueueRegistry::instance().current_thread_queue();
    if (!queue->typed_text_for(*lpMsg, text)) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool control = message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0;
        const bool caps_lock = (GetKeyState(VK_CAPITAL) & 1) != 0;
        const auto character =
            KeyboardLayout::character(static_cast<UINT>(lpMsg->wParam), shift, control, caps_lock);
        if (character)
            text.assign(1, *character);
    }
    post_characters(*lpMsg, character_message, text);
    return TRUE;
}

UINT WINAPI GetDoubleClickTime(void) {
    return double_click_time_ms;
}

BOOL WINAPI MessageBeep(UINT uType) {
    // There is no sound device: the beep is silent.
    (void)uType;
    return TRUE;
}

} // extern "C"
