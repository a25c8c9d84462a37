#pragma once

#include "waitable_object.h"

#include <string>

namespace mullion {

enum class EventReset { Automatic, Manual };

// A CreateEventA event. A manual-reset event stays signalled until ResetEvent; an
// automatic-reset event releases one wait and then is non-signalled again.
class Event : public WaitableObject {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Event;
    ObjectKind kind() const override { return object_kind; }

    Event(EventReset reset, bool initially_signalled)
        : m_reset(reset), m_signalled(initially_signalled) {}

    void set();
    void reset();

    bool is_signalled_locked() const override { return m_signalled; }
    void acquire_locked() override;

private:
    const EventReset m_reset;
    bool m_signalled;
};

} // namespace mullion
