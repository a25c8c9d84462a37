#pragma once

#include "../kernel/handle_table.h"

#include "windows.h"

namespace mullion {

// One installed hook procedure: the kind of hook, the procedure, and the thread whose events
// it sees.
class WindowHook : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Hook;
    ObjectKind kind() const override { return object_kind; }

    WindowHook(int id, HOOKPROC procedure, DWORD thread)
        : m_id(id), m_procedure(procedure), m_thread(thread) {}

    int id() const { return m_id; }
    HOOKPROC procedure() const { return m_procedure; }
    DWORD thread() const { return m_thread; }

private:
    int m_id;
    HOOKPROC m_procedure;
    DWORD m_thread;
};

// Calls the newest hook of kind `id` installed for the calling thread (which passes the event
// on with CallNextHookEx as it likes); 0 when there is none.
LRESULT call_hooks(int id, int code, WPARAM wparam, LPARAM lparam);

} // namespace mullion
