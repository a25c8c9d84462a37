#pragma once

#include "message_test_window.h"
#include "user/input.h"

#include <cstring>
#include <string>

// Injects hardware input as a presenter would.
inline void inject_key(UINT virtual_key, bool down) {
    mullion::InputEvent event;
    event.type = down ? mullion::InputEvent::Type::KeyDown : mullion::InputEvent::Type::KeyUp;
    event.virtual_key = virtual_key;
    mullion::inject_input(event);
}

inline void inject_tap(UINT virtual_key) {
    inject_key(virtual_key, true);
    inject_key(virtual_key, false);
}

inline void inject_text(const char* text) {
    mullion::InputEvent event;
    event.type = mullion::InputEvent::Type::Text;
    std::strncpy(event.text, text, sizeof event.text - 1);
    mullion::inject_input(event);
}

inline void inject_mouse(mullion::InputEvent::Type type, LONG x, LONG y,
                         mullion::InputEvent::Button button = mullion::InputEvent::Button::Left) {
    mullion::InputEvent event;
    event.type = type;
    event.position = POINT{x, y};
    event.button = button;
    mullion::inject_input(event);
}

inline void inject_click(LONG x, LONG y) {
    inject_mouse(mullion::InputEvent::Type::ButtonDown, x, y);
    inject_mouse(mullion::InputEvent::Type::ButtonUp, x, y);
}

// Retrieves, translates and dispatches everything waiting, as a program's loop does.
inline void pump_translated() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
