// WaitForSingleObject and WaitForMultipleObjects: block on the waitable objects' shared
// condition until the objects are signalled or the time-out passes.
#include "waitable_object.h"

#include "windows.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

namespace mullion {
namespace {

enum class WaitMode { Any, All };

// The index of the object that satisfies the wait (0 when all must be signalled), or none.
std::optional<DWORD> satisfied_locked(const std::vector<std::shared_ptr<WaitableObject>>& objects,
                                      WaitMode mode) {
    if (mode == WaitMode::All) {
        const bool all = std::all_of(objects.begin(), objects.end(), [](const auto& object) {
            return object->is_signalled_locked();
        });
        if (!all)
            return std::nullopt;
        for (const auto& object : objects)
            object->acquire_locked();
        return 0;
    }
    for (size_t index = 0; index < objects.size(); ++index) {
        if (objects[index]->is_signalled_locked()) {
            objects[index]->acquire_locked();
            return DWORD(index);
        }
    }
    return std::nullopt;
}

DWORD wait_for_objects(const std::vector<std::shared_ptr<WaitableObject>>& objects, WaitMode mode,
                       DWORD milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock lock(WaitableObject::state_mutex());
    for (;;) {
        if (auto index = satisfied_locked(objects, mode))
            return WAIT_OBJECT_0 + *index;
        if (milliseconds == 0)
            return WAIT_TIMEOUT;
        if (milliseconds == INFINITE) {
            WaitableObject::state_changed().wait(lock);
        } else if (WaitableObject::state_changed().wait_until(lock, deadline) ==
                   std::cv_status::timeout) {
            if (auto index = satisfied_locked(objects, mode))
                return WAIT_OBJECT_0 + *index;
            return WAIT_TIMEOUT;
        }
    }
}

} // namespace
} // namespace mullion

using namespace mullion;

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    auto object = find_waitable(hHandle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return wait_for_objects({object}, WaitMode::Any, dwMilliseconds);
}

DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                                    DWORD dwMilliseconds) {
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || !lpHandles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<WaitableObject>> objects;
    for (DWORD index = 0; index < nCount; ++index) {
        auto object = find_waitable(lpHandles[index]);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        // Waiting for all of a list that names one object twice is refused, as documented.
        if (bWaitAll && std::find(objects.begin(), objects.end(), object) != objects.end()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    return wait_for_objects(objects, bWaitAll ? WaitMode::All : WaitMode::Any, dwMilliseconds);
}
