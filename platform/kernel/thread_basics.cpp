// The calling thread's identity, sleeping and the tick count: GetCurrentThreadId,
// GetCurrentProcessId, Sleep, GetTickCount.
#include "thread_identity.h"

#include "windows.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

// Never reused, so a window or queue that outlives its thread can never be mistaken for a
// later thread's.
std::atomic<DWORD> g_next_thread_id{1};

thread_local DWORD t_thread_id = 0;

} // namespace

namespace mullion {

DWORD allocate_thread_id() {
    return g_next_thread_id.fetch_add(1, std::memory_order_relaxed);
}

void adopt_thread_id(DWORD thread_id) {
    t_thread_id = thread_id;
}

} // namespace mullion

extern "C" {

DWORD WINAPI GetCurrentThreadId(void) {
    if (t_thread_id == 0)
        t_thread_id = mullion::allocate_thread_id();
    return t_thread_id;
}

DWORD WINAPI GetCurrentProcessId(void) {
    return static_cast<DWORD>(getpid());
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == INFINITE) {
        // Sleeping forever: block without a wake-up ever being due.
        for (;;)
            pause();
    }
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

DWORD WINAPI GetTickCount(void) {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    // Wraps around after 49.7 days, as the 32-bit tick count does.
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

} // extern "C"
