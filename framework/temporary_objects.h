// Temporary wrapper objects: FromHandle of a handle that no permanent wrapper owns returns an
// object kept in a per-thread map. The objects live until the thread's next idle time
// (CWinApp::OnIdle with count 1) or the end of the thread, so a pointer returned by FromHandle
// must not be kept beyond the handler that obtained it. Deleting a temporary object never
// destroys its handle.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

namespace framework {

// Registers a function that empties one map of temporary objects of this thread.
void RegisterTemporaryMap(std::function<void()> clear);

// Deletes every temporary wrapper object of this thread.
void DeleteTemporaryObjects();

// The temporary Wrapper of handle; Member is the wrapper's handle member.
template <class Wrapper, auto Member, class Handle> Wrapper* TemporaryObject(Handle handle) {
    struct Map {
        std::unordered_map<Handle, std::unique_ptr<Wrapper>> objects;
        Map() {
            RegisterTemporaryMap([this] { clear(); });
        }
        ~Map() { clear(); }
        void clear() {
            for (auto& entry : objects)
                entry.second.get()->*Member = nullptr;
            objects.clear();
        }
    };
    thread_local Map map;
    std::unique_ptr<Wrapper>& object = map.objects[handle];
    if (!object) {
        object = std::make_unique<Wrapper>();
        object.get()->*Member = handle;
    }
    return object.get();
}

} // namespace framework
