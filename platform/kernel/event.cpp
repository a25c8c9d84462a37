#include "event.h"

namespace mullion {

void Event::set() {
    std::lock_guard lock(state_mutex());
    m_signalled = true;
    notify_state_changed_locked();
}

void Event::reset() {
    std::lock_guard lock(state_mutex());
    m_signalled = false;
}

void Event::acquire_locked() {
    if (m_reset == EventReset::Automatic)
        m_signalled = false;
}

} // namespace mullion
