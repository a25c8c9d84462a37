// PostMessageA, PostThreadMessageA, PostQuitMessage, GetMessageA, PeekMessageA, WaitMessage,
// GetMessagePos, GetMessageTime, DispatchMessageA, and the queue side of the window
// manager's contract (wake_thread, discard_window_messages, ensure_message_queue).
#include "message_queue.h"
#include "message_queue_registry.h"
#include "window_manager.h"

namespace mullion {

namespace {

constexpr DWORD error_invalid_thread_id = 1444;
constexpr DWORD error_not_enough_quota = 1816;

bool post_to_thread(DWORD thread_id, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    std::lock_guard lock(queue_lock());
    // A thread without a queue (it never created a window or asked for a message, or it
    // exited) cannot be posted to.
    auto queue = MessageQueueRegistry::instance().find_locked(thread_id);
    if (!queue) {
        SetLastError(error_invalid_thread_id);
        return false;
    }
    if (!queue->post_locked(hwnd, message, wparam, lparam)) {
        SetLastError(error_not_enough_quota);
        return false;
    }
    return true;
}

// A retrieval's window filter must name a window (or be null, or -1 for thread messages).
bool valid_window_filter(HWND hwnd) {
    if (!hwnd || hwnd == reinterpret_cast<HWND>(-1) || IsWindow(hwnd))
        return true;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
}

LRESULT dispatch_paint(const MSG& message) {
    RECT before{}, after{};
    const BOOL needed_before = GetUpdateRect(message.hwnd, &before, FALSE);
    const LRESULT result =
        call_window_procedure(message.hwnd, message.message, message.wParam, message.lParam);
    const BOOL needed_after = GetUpdateRect(message.hwnd, &after, FALSE);
    // A procedure that validated nothing would be given the same WM_PAINT forever: the
    // window is validated for it so that the thread can go idle.
    if (IsWindow(message.hwnd) && needed_before == needed_after && EqualRect(&before, &after))
        RedrawWindow(message.hwnd, nullptr, nullptr,
                     RDW_VALIDATE | RDW_NOINTERNALPAINT | RDW_NOCHILDREN);
    return result;
}

} // namespace

void wake_thread(DWORD thread_id) {
    std::lock_guard lock(queue_lock());
    if (auto queue = MessageQueueRegistry::instance().find_locked(thread_id))
        queue->changed_locked();
}

void discard_window_messages(HWND hwnd) {
    std::lock_guard lock(queue_lock());
    MessageQueueRegistry::instance().for_each_locked(
        [&](MessageQueue& queue) { queue.discard_window_locked(hwnd); });
}

void ensure_message_queue() {
    MessageQueueRegistry::instance().current_thread_queue();
}

} // namespace mullion

using namespace mullion;

extern "C" {

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd) {
        // A thread message to the calling thread, which gets its queue now if need be.
        MessageQueueRegistry::instance().current_thread_queue();
        return post_to_thread(GetCurrentThreadId(), nullptr, Msg, wParam, lParam);
    }
    if (hWnd == HWND_BROADCAST) {
        struct Broadcast {
            UINT message;
            WPARAM wparam;
            LPARAM lparam;
        } broadcast{Msg, wParam, lParam};
        EnumWindows(
            [](HWND hwnd, LPARAM context) -> BOOL {
                const auto& posted = *reinterpret_cast<const Broadcast*>(context);
                PostMessageA(hwnd, posted.message, posted.wparam, posted.lparam);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&broadcast));
        return TRUE;
    }
    const DWORD thread_id = window_thread_id(hWnd);
    if (!thread_id) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return post_to_thread(thread_id, hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return post_to_thread(idThread, nullptr, Msg, wParam, lParam);
}

void WINAPI PostQuitMessage(int nExitCode) {
    auto queue = MessageQueueRegistry::instance().current_thread_queue();
    std::lock_guard lock(queue_lock());
    post_quit_locked(*queue, nExitCode);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg || !valid_window_filter(hWnd))
        return -1;
    MessageQueueRegistry::instance().current_thread_queue()->get(
        *lpMsg, MessageFilter{hWnd, wMsgFilterMin, wMsgFilterMax});
    return lpMsg->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    if (!lpMsg || !valid_window_filter(hWnd))
        return FALSE;
    return MessageQueueRegistry::instance().current_thread_queue()->peek(
        *lpMsg, MessageFilter{hWnd, wMsgFilterMin, wMsgFilterMax}, (wRemoveMsg & PM_REMOVE) != 0);
}

BOOL WINAPI WaitMessage(void) {
    MessageQueueRegistry::instance().current_thread_queue()->wait_for_any();
    return TRUE;
}

DWORD WINAPI GetMessagePos(void) {
    auto queue = MessageQueueRegistry::instance().current_thread_queue_if_any();
    if (!queue)
        return 0;
    std::lock_guard lock(queue_lock());
    const POINT position = queue->last_message_position();
    return static_cast<DWORD>(
        MAKELONG(static_cast<WORD>(position.x), static_cast<WORD>(position.y)));
}

LONG WINAPI GetMessageTime(void) {
    auto queue = MessageQueueRegistry::instance().current_thread_queue_if_any();
    if (!queue)
        return 0;
    std::lock_guard lock(queue_lock());
    return static_cast<LONG>(queue->last_message_time());
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg)
        return 0;
    LocalMessageScope local;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        // Only a procedure really given to SetTimer is called, whoever posted the message.
        const auto procedure = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        auto queue = MessageQueueRegistry::instance().current_thread_queue();
        bool known;
        {
            std::lock_guard lock(queue_lock());
            known = queue->timers_locked().has_procedure(lpMsg->hwnd, lpMsg->wParam, procedure);
        }
        if (known)
            procedure(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0; // thread messages have no window procedure
    if (lpMsg->message == WM_PAINT)
        return dispatch_paint(*lpMsg);
    return call_window_procedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

} // extern "C"
