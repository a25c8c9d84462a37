#include "waitable_object.h"

namespace mullion {

std::mutex& WaitableObject::state_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& WaitableObject::state_changed() {
    static std::condition_variable changed;
    return changed;
}

void WaitableObject::notify_state_changed_locked() {
    state_changed().notify_all();
}

std::shared_ptr<WaitableObject> find_waitable(const void* handle) {
    return std::dynamic_pointer_cast<WaitableObject>(HandleTable::instance().lookup(handle));
}

} // namespace mullion
