// CreateEventA, SetEvent and ResetEvent. Named events are shared within the process: creating
// a name that exists opens the existing event and reports ERROR_ALREADY_EXISTS.
#include "event.h"

#include "windows.h"

#include <map>

namespace mullion {
namespace {

std::mutex g_names_mutex;
std::map<std::string, std::weak_ptr<Event>> g_named_events;

std::shared_ptr<Event> find_event(HANDLE handle) {
    auto event = HandleTable::instance().get<Event>(handle);
    if (!event)
        SetLastError(ERROR_INVALID_HANDLE);
    return event;
}

} // namespace
} // namespace mullion

using namespace mullion;

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState,
                           LPCSTR lpName) {
    const EventReset reset = bManualReset ? EventReset::Manual : EventReset::Automatic;
    if (!lpName || !*lpName) {
        SetLastError(ERROR_SUCCESS);
        return HandleTable::instance().insert(std::make_shared<Event>(reset, bInitialState));
    }
    std::lock_guard lock(g_names_mutex);
    std::weak_ptr<Event>& entry = g_named_events[lpName];
    if (auto existing = entry.lock()) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return HandleTable::instance().insert(existing);
    }
    auto event = std::make_shared<Event>(reset, bInitialState);
    entry = event;
    SetLastError(ERROR_SUCCESS);
    return HandleTable::instance().insert(event);
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
    auto event = find_event(hEvent);
    if (!event)
        return FALSE;
    event->set();
    return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE hEvent) {
    auto event = find_event(hEvent);
    if (!event)
        return FALSE;
    event->reset();
    return TRUE;
}
