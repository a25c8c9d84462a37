#pragma once

#include "waitable_object.h"

#include "windows.h"

namespace mullion {

// A thread started by CreateThread. Its handle is signalled once the thread has ended,
// and its exit code is STILL_ACTIVE until then.
class ThreadObject : public WaitableObject {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Thread;
    ObjectKind kind() const override { return object_kind; }

    ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD thread_id,
                 bool start_suspended)
        : m_start(start), m_parameter(parameter), m_thread_id(thread_id),
          m_suspend_count(start_suspended ? 1 : 0) {}

    DWORD thread_id() const { return m_thread_id; }
    DWORD exit_code() const;
    // Returns the previous suspend count; the thread runs when it reaches zero.
    DWORD resume();
    int priority() const;
    void set_priority(int priority);

    // Runs on the new thread: waits until resumed, calls the start routine and records its
    // result.
    void run();
    // Records the thread's end; called once, as the thread's last action.
    void finish(DWORD exit_code);

    bool is_signalled_locked() const override { return m_finished; }

private:
    const LPTHREAD_START_ROUTINE m_start;
    const LPVOID m_parameter;
    const DWORD m_thread_id;
    DWORD m_suspend_count;
    int m_priority = THREAD_PRIORITY_NORMAL;
    bool m_finished = false;
    DWORD m_exit_code = STILL_ACTIVE;
};

} // namespace mullion
