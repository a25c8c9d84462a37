#pragma once

#include "input.h"
#include "keyboard_state.h"
#include "timer_list.h"
#include "windows.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mullion {

class MessageQueue;

// A message sent by another thread: it waits in the receiver's queue until the receiver
// handles it, and the sender blocks until `replied` is set.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    std::shared_ptr<MessageQueue> sender;
    bool replied = false;
    LRESULT result = 0;
};

// An input event routed to the queue's thread. The window it goes to and the message it
// becomes are settled when the thread first looks at it (hit testing, activation and double
// clicks happen then, as the thread's own window procedures must answer them).
struct QueuedInput {
    enum class State { Routed, Resolving, Ready, Dropped };
    InputEvent event;
    HWND target = nullptr; // the window chosen when the input was routed
    DWORD time = 0;
    POINT cursor{0, 0};
    // Keyboard: the message and lParam computed from the key state when the key was pressed.
    // Mouse: the client-area message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) and its MK_ flags.
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    std::string text; // a KeyDown's typed text, or the text of a Text event

    State state = State::Routed;
    MSG resolved{};         // valid in State::Ready
    bool retrieved = false; // removed from the queue by the thread
};

// Which messages a retrieval accepts: a window (null for all of the thread's, HWND(-1) for
// thread messages only) and a range of message numbers (0, 0 for all).
struct MessageFilter {
    HWND window = nullptr;
    UINT first = 0;
    UINT last = 0;

    bool accepts_number(UINT message) const {
        return (first == 0 && last == 0) || (message >= first && message <= last);
    }
    bool accepts_number_range(UINT low, UINT high) const {
        return (first == 0 && last == 0) || (low <= last && high >= first);
    }
    bool thread_messages_only() const { return window == reinterpret_cast<HWND>(-1); }
    bool everything() const { return window == nullptr && first == 0 && last == 0; }
};

// A thread's message queue. All the state below is guarded by queue_lock(); the retrieval
// functions run on the owning thread only and call window procedures with the lock released.
class MessageQueue : public std::enable_shared_from_this<MessageQueue> {
public:
    explicit MessageQueue(DWORD thread_id) : m_thread_id(thread_id) {}
    DWORD thread_id() const { return m_thread_id; }

    // --- Called from any thread, with queue_lock() held ---
    bool post_locked(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void add_sent_locked(std::shared_ptr<SentMessage> sent);
    void add_input_locked(std::shared_ptr<QueuedInput> input);
    // Something the thread may retrieve appeared: wakes it and the idle waiters.
    void changed_locked();
    // Drops what is queued for the window and releases senders waiting on it with 0.
    void discard_window_locked(HWND hwnd);
    // The thread is gone: releases every sender still waiting on it.
    void release_senders_locked();
    // Nothing to retrieve and the thread has looked since the last change (and, for
    // IdleStopped, it is blocked waiting for a message).
    bool idle_locked(IdleKind kind) const;
    // No sent, posted or input message and no WM_QUIT waiting.
    bool empty_locked() const;
    size_t sent_waiting_locked() const { return m_sent.size(); }
    size_t input_waiting_locked() const { return m_input.size(); }
    // The last input event still waiting to be looked at, for coalescing mouse moves.
    std::shared_ptr<QueuedInput> last_input_locked() const;
    TimerList& timers_locked() { return m_timers; }
    KeyboardState& key_state_locked() { return m_key_state; }

    // --- Called on the owning thread, without queue_lock() held ---
    // PeekMessage's work: handles pending sent messages, then finds the first accepted
    // message in priority order: posted, input, WM_QUIT, WM_PAINT, WM_TIMER.
    bool peek(MSG& message, const MessageFilter& filter, bool remove);
    // GetMessage's work: peeks, blocking until a message is accepted.
    void get(MSG& message, const MessageFilter& filter);
    // WaitMessage's work: returns once something can be retrieved.
    void wait_for_any();
    // Handles one message sent by another thread; false when none was waiting.
    bool handle_one_sent(std::unique_lock<std::mutex>& lock);
    // Blocks (handling incoming sent messages) until `sent` has been replied to.
    void wait_for_reply(std::unique_lock<std::mutex>& lock, const SentMessage& sent);

    // The message last retrieved, for GetMessageTime and GetMessagePos.
    DWORD last_message_time() const { return m_last_time; }
    POINT last_message_position() const { return m_last_position; }
    // The text the last retrieved key-down carried, for TranslateMessage.
    bool typed_text_for(const MSG& key_down, std::string& text) const;

private:
    // What a fruitless look saw: the serial it checked and when the next timer is due.
    struct NothingFound {
        uint64_t serial = 0;
        std::optional<TimerList::TimePoint> next_timer;
    };
    bool look(MSG& message, const MessageFilter& filter, bool remove, NothingFound* nothing_found);
    // Blocks until the queue changes after the look, or the next timer is due.
    void wait_for_change(const NothingFound& nothing_found);
    void took_message(const MSG& message);

    const DWORD m_thread_id;
    std::condition_variable m_wake;
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    std::deque<MSG> m_posted;
    std::deque<std::shared_ptr<QueuedInput>> m_input;
    bool m_quit = false;
    int m_exit_code = 0;
    TimerList m_timers;
    KeyboardState m_key_state;

    // Every change that may give the thread something to retrieve bumps the serial; the
    // thread records the serial at which it last looked at everything and found nothing.
    uint64_t m_serial = 0;
    uint64_t m_checked_serial = 0;
    bool m_blocked_waiting = false;

    DWORD m_last_time = 0;
    POINT m_last_position{0, 0};
    MSG m_last_key_down{};
    std::string m_last_key_down_text;

    friend void post_quit_locked(MessageQueue& queue, int exit_code);
};

void post_quit_locked(MessageQueue& queue, int exit_code);
// Completes a sent message and wakes its sender (a no-op when it was already replied to).
void reply_locked(SentMessage& sent, LRESULT result);
// The message sent by another thread that the calling thread is handling, if any.
SentMessage* current_incoming_send();
// While it lives, the thread is handling a message that did not come from another thread
// (sent by itself, or dispatched): InSendMessage is false and ReplyMessage has no effect.
class LocalMessageScope {
public:
    LocalMessageScope();
    ~LocalMessageScope();
    LocalMessageScope(const LocalMessageScope&) = delete;
    LocalMessageScope& operator=(const LocalMessageScope&) = delete;
};
// Calls the window's procedure (GWLP_WNDPROC) directly.
LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The one lock guarding every queue's contents, the registry of queues, the global input
// state and the idle condition. Lock order: window_manager_lock() before queue_lock(); never
// call into the window manager while holding queue_lock().
std::mutex& queue_lock();

} // namespace mullion
