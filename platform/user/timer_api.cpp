// SetTimer and KillTimer: a thread's timers live in its message queue, which generates
// WM_TIMER when one is due.
#include "message_queue.h"
#include "message_queue_registry.h"
#include "window_manager.h"

using namespace mullion;

extern "C" {

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd) {
        // The window must belong to the calling thread.
        const DWORD owner = window_thread_id(hWnd);
        if (owner != GetCurrentThreadId()) {
            SetLastError(owner ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
    }
    auto queue = MessageQueueRegistry::instance().current_thread_queue();
    std::lock_guard lock(queue_lock());
    const UINT_PTR id =
        queue->timers_locked().set(hWnd, nIDEvent, uElapse, lpTimerFunc, TimerList::Clock::now());
    // A window timer is named by the caller's identifier; the result only says it worked.
    return hWnd && id == 0 ? 1 : id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    const DWORD owner = hWnd ? window_thread_id(hWnd) : GetCurrentThreadId();
    std::lock_guard lock(queue_lock());
    auto queue = MessageQueueRegistry::instance().find_locked(owner);
    if (!queue || !queue->timers_locked().kill(hWnd, uIDEvent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

} // extern "C"
