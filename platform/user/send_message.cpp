// SendMessageA, InSendMessage and ReplyMessage: a message sent to a window of the calling
// thread calls its procedure directly; one sent to another thread's window waits in that
// thread's queue until the thread handles it, while the sender handles messages sent to it.
#include "message_queue.h"
#include "message_queue_registry.h"
#include "window_manager.h"

namespace mullion {

LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (!procedure)
        return 0;
    return CallWindowProcA(procedure, hwnd, message, wparam, lparam);
}

namespace {

LRESULT send_to_other_thread(DWORD thread_id, HWND hwnd, UINT message, WPARAM wparam,
                             LPARAM lparam) {
    auto& registry = MessageQueueRegistry::instance();
    auto sender = registry.current_thread_queue();
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wparam = wparam;
    sent->lparam = lparam;
    sent->sender = sender;
    std::unique_lock lock(queue_lock());
    auto receiver = registry.find_locked(thread_id);
    if (!receiver)
        return 0; // the window's thread has exited
    receiver->add_sent_locked(sent);
    sender->wait_for_reply(lock, *sent);
    return sent->result;
}

LRESULT send_one(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const DWORD thread_id = window_thread_id(hwnd);
    if (!thread_id) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (thread_id == GetCurrentThreadId()) {
        LocalMessageScope local;
        return call_window_procedure(hwnd, message, wparam, lparam);
    }
    return send_to_other_thread(thread_id, hwnd, message, wparam, lparam);
}

} // namespace

} // namespace mullion

using namespace mullion;

extern "C" {

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST) {
        // Every top-level window gets the message, in turn.
        std::vector<HWND> windows;
        EnumWindows(
            [](HWND hwnd, LPARAM context) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        for (HWND hwnd : windows)
            send_one(hwnd, Msg, wParam, lParam);
        return 0;
    }
    return send_one(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI InSendMessage(void) {
    return current_incoming_send() != nullptr;
}

BOOL WINAPI ReplyMessage(LRESULT lResult) {
    SentMessage* sent = current_incoming_send();
    if (!sent)
        return FALSE;
    std::lock_guard lock(queue_lock());
    if (sent->replied)
        return FALSE;
    reply_locked(*sent, lResult);
    return TRUE;
}

} // extern "C"
