#pragma once

#include "windef.h"

namespace mullion {

// Lets the window manager follow the threads CreateThread makes without the kernel knowing
// of message queues: `created` runs on the creating thread before the new thread can run
// (`abandoned` follows when it could not be started after all), `started` on the new thread
// before its start routine.
struct ThreadObserver {
    void (*created)(DWORD thread_id) = nullptr;
    void (*abandoned)(DWORD thread_id) = nullptr;
    void (*started)() = nullptr;
};

void set_thread_observer(const ThreadObserver& observer);

} // namespace mullion
