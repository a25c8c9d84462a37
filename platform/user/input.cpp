#include "input.h"

#include "input_router.h"
#include "message_queue_registry.h"

namespace mullion {

void inject_input(const InputEvent& event) {
    InputRouter::instance().inject(event);
}

bool wait_until_idle(IdleKind kind, std::chrono::milliseconds timeout) {
    return MessageQueueRegistry::instance().wait_until_idle(kind, timeout);
}

} // namespace mullion
