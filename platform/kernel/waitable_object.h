#pragma once

#include "handle_table.h"

#include <condition_variable>
#include <mutex>

namespace mullion {

// An object a thread can wait on (events, threads). The signalled state of every waitable
// object sits behind one lock and every change wakes all waiters, so that a wait on several
// objects at once needs only one condition to sleep on.
class WaitableObject : public Object {
public:
    static std::mutex& state_mutex();
    // Call with state_mutex() held, after changing a signalled state.
    static void notify_state_changed_locked();
    static std::condition_variable& state_changed();

    virtual bool is_signalled_locked() const = 0;
    // A wait this object satisfied has returned: an auto-reset object takes its signal back.
    virtual void acquire_locked() {}
};

// The waitable object a handle names, or null.
std::shared_ptr<WaitableObject> find_waitable(const void* handle);

} // namespace mullion
