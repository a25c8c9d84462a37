// SetWindowsHookExA, UnhookWindowsHookEx and CallNextHookEx. Hooks are per thread: a hook
// installed for all threads (thread 0) watches the installing thread, which is where the
// programs' creation hooks need it. Chains are called newest first.
#include "window_hook.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace mullion {

namespace {

struct HookChain {
    std::mutex mutex;
    // Every installed hook, oldest first.
    std::vector<HHOOK> hooks;
};

HookChain& chain() {
    static auto* instance = new HookChain;
    return *instance;
}

std::shared_ptr<WindowHook> hook_of(HHOOK handle) {
    return HandleTable::instance().get<WindowHook>(handle);
}

// The next hook to call after `after` (or the newest one for null) with the same kind and
// thread, searching from newest to oldest.
HHOOK next_hook(int id, DWORD thread, HHOOK after) {
    HookChain& hooks = chain();
    std::lock_guard lock(hooks.mutex);
    auto it = hooks.hooks.rbegin();
    if (after) {
        it = std::find(hooks.hooks.rbegin(), hooks.hooks.rend(), after);
        if (it == hooks.hooks.rend())
            return nullptr;
        ++it;
    }
    for (; it != hooks.hooks.rend(); ++it) {
        const auto hook = hook_of(*it);
        if (hook && hook->id() == id && hook->thread() == thread)
            return *it;
    }
    return nullptr;
}

LRESULT call(HHOOK handle, int code, WPARAM wparam, LPARAM lparam) {
    const auto hook = handle ? hook_of(handle) : nullptr;
    return hook ? hook->procedure()(code, wparam, lparam) : 0;
}

} // namespace

LRESULT call_hooks(int id, int code, WPARAM wparam, LPARAM lparam) {
    return call(next_hook(id, GetCurrentThreadId(), nullptr), code, wparam, lparam);
}

} // namespace mullion

using namespace mullion;

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    if (!lpfn)
        return nullptr;
    const DWORD thread = dwThreadId ? dwThreadId : GetCurrentThreadId();
    auto handle = static_cast<HHOOK>(
        HandleTable::instance().insert(std::make_shared<WindowHook>(idHook, lpfn, thread)));
    HookChain& hooks = chain();
    std::lock_guard lock(hooks.mutex);
    hooks.hooks.push_back(handle);
    return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    HookChain& hooks = chain();
    {
        std::lock_guard lock(hooks.mutex);
        const auto it = std::find(hooks.hooks.begin(), hooks.hooks.end(), hhk);
        if (it == hooks.hooks.end())
            return FALSE;
        hooks.hooks.erase(it);
    }
    return HandleTable::instance().remove(hhk) != nullptr;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    const auto hook = hook_of(hhk);
    if (!hook)
        return 0;
    return call(next_hook(hook->id(), hook->thread(), hhk), nCode, wParam, lParam);
}
