#pragma once

#include "windows.h"

#include <chrono>
#include <cstdint>

namespace mullion {

// Hardware input as it reaches the window manager, in screen pixels. The presenters and the
// scripted driver produce it; the window manager routes it to the thread and window it is for
// (capture, focus, activation, hit testing) as real devices' input is routed.
struct InputEvent {
    enum class Type { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Text };
    enum class Button { Left, Right, Middle };
    Type type = Type::MouseMove;
    POINT position{0, 0}; // mouse events
    Button button = Button::Left;
    UINT virtual_key = 0; // key events
    char text[8] = {};    // Text: one UTF-8 character typed (after the key went down)
};

// Queues one input event and wakes the threads it concerns.
void inject_input(const InputEvent& event);

// Waits until the input injected so far has been taken by the programs' threads and every
// thread with a message queue has nothing left to retrieve (no posted, sent or input message,
// no pending paint). With IdleKind::IdleStopped it also waits until no thread is still asking
// for idle time, that is every such thread is blocked waiting for a message. Returns false when
// the timeout ran out first.
enum class IdleKind { QueuesEmpty, IdleStopped };
bool wait_until_idle(IdleKind kind, std::chrono::milliseconds timeout);

} // namespace mullion
