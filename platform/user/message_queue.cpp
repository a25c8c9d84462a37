#include "message_queue.h"

#include "input_router.h"
#include "message_queue_registry.h"
#include "window_manager.h"

#include <algorithm>

namespace mullion {

namespace {

// A queue accepts this many posted messages; PostMessage fails beyond.
constexpr size_t posted_message_limit = 10000;

// The messages sent by other threads that this thread is handling, innermost last.
thread_local std::vector<SentMessage*> t_incoming_sends;

// Decides whether a message's window passes a retrieval's window filter: the window itself
// or one of its descendants. IsChild needs the window manager, which cannot be asked while
// queue_lock() is held, so answers are looked up with the lock released and remembered.
class WindowMatcher {
public:
    explicit WindowMatcher(HWND filter) : m_filter(filter) {}

    // Null when the answer must first be learned.
    std::optional<bool> accepts(HWND hwnd) const {
        if (!m_filter)
            return true;
        if (m_filter == reinterpret_cast<HWND>(-1) || !hwnd)
            return hwnd == nullptr;
        if (hwnd == m_filter)
            return true;
        for (const auto& [known, accepted] : m_known) {
            if (known == hwnd)
                return accepted;
        }
        return std::nullopt;
    }
    void learn(HWND hwnd) { m_known.emplace_back(hwnd, IsChild(m_filter, hwnd) != FALSE); }

private:
    HWND m_filter;
    std::vector<std::pair<HWND, bool>> m_known;
};

// The range of messages an input event can turn into, for skipping events a filter excludes
// before resolving them.
std::pair<UINT, UINT> possible_messages(const QueuedInput& input) {
    switch (input.event.type) {
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::KeyUp:
    case InputEvent::Type::Text:
        return {WM_KEYFIRST, WM_KEYLAST};
    default:
        return {WM_NCMOUSEMOVE, WM_MOUSELAST};
    }
}

POINT current_cursor_locked() {
    return InputRouter::instance().cursor_position_locked();
}

} // namespace

std::mutex& queue_lock() {
    // Never destroyed: threads may still use their queues while the process exits.
    static std::mutex* lock = new std::mutex;
    return *lock;
}

SentMessage* current_incoming_send() {
    return t_incoming_sends.empty() ? nullptr : t_incoming_sends.back();
}

LocalMessageScope::LocalMessageScope() {
    t_incoming_sends.push_back(nullptr);
}

LocalMessageScope::~LocalMessageScope() {
    t_incoming_sends.pop_back();
}

void reply_locked(SentMessage& sent, LRESULT result) {
    if (sent.replied)
        return;
    sent.replied = true;
    sent.result = result;
    sent.sender->changed_locked();
}

void MessageQueue::changed_locked() {
    ++m_serial;
    m_wake.notify_all();
    MessageQueueRegistry::instance().notify_idle_locked();
}

bool MessageQueue::post_locked(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (m_posted.size() >= posted_message_limit)
        return false;
    m_posted.push_back(
        {MSG{hwnd, message, wparam, lparam, GetTickCount(), current_cursor_locked()}});
    changed_locked();
    return true;
}

void post_quit_locked(MessageQueue& queue, int exit_code) {
    queue.m_quit = true;
    queue.m_exit_code = exit_code;
    queue.changed_locked();
}

void MessageQueue::add_sent_locked(std::shared_ptr<SentMessage> sent) {
    m_sent.push_back(std::move(sent));
    changed_locked();
}

void MessageQueue::add_input_locked(std::shared_ptr<QueuedInput> input) {
    m_input.push_back(std::move(input));
    changed_locked();
}

std::shared_ptr<QueuedInput> MessageQueue::last_input_locked() const {
    return m_input.empty() ? nullptr : m_input.back();
}

void MessageQueue::discard_window_locked(HWND hwnd) {
    std::erase_if(m_sent, [&](const std::shared_ptr<SentMessage>& sent) {
        if (sent->hwnd != hwnd)
            return false;
        reply_locked(*sent, 0);
        return true;
    });
    std::erase_if(m_posted, [&](const MSG& posted) { return posted.hwnd == hwnd; });
    // Input not looked at yet is routed again when it is; only settled input names the window.
    std::erase_if(m_input, [&](const std::shared_ptr<QueuedInput>& input) {
        return input->state == QueuedInput::State::Ready && input->resolved.hwnd == hwnd;
    });
    m_timers.remove_window(hwnd);
    MessageQueueRegistry::instance().notify_idle_locked();
}

void MessageQueue::release_senders_locked() {
    for (auto& sent : m_sent)
        reply_locked(*sent, 0);
    m_sent.clear();
}

bool MessageQueue::empty_locked() const {
    return m_sent.empty() && m_posted.empty() && m_input.empty() && !m_quit;
}

bool MessageQueue::idle_locked(IdleKind kind) const {
    if (!empty_locked() || m_checked_serial != m_serial)
        return false;
    return kind == IdleKind::QueuesEmpty || m_blocked_waiting;
}

bool MessageQueue::handle_one_sent(std::unique_lock<std::mutex>& lock) {
    if (m_sent.empty())
        return false;
    std::shared_ptr<SentMessage> sent = m_sent.front();
    m_sent.pop_front();
    t_incoming_sends.push_back(sent.get());
    lock.unlock();
    const LRESULT result =
        call_window_procedure(sent->hwnd, sent->message, sent->wparam, sent->lparam);
    lock.lock();
    t_incoming_sends.pop_back();
    reply_locked(*sent, result);
    return true;
}

void MessageQueue::wait_for_reply(std::unique_lock<std::mutex>& lock, const SentMessage& sent) {
    while (!sent.replied) {
        // Messages sent to this thread meanwhile are handled, so that two threads sending
        // to each other both make progress.
        if (handle_one_sent(lock))
            continue;
        // Blocked until something arrives, like a thread waiting in GetMessage.
        m_blocked_waiting = true;
        MessageQueueRegistry::instance().notify_idle_locked();
        m_wake.wait(lock);
        m_blocked_waiting = false;
        MessageQueueRegistry::instance().notify_idle_locked();
    }
}

void MessageQueue::took_message(const MSG& message) {
    m_last_time = message.time;
    m_last_position = message.pt;
}

bool MessageQueue::typed_text_for(const MSG& key_down, std::string& text) const {
    std::lock_guard lock(queue_lock());
    const MSG& last = m_last_key_down;
    if (last.message != key_down.message || last.hwnd != key_down.hwnd ||
        last.wParam != key_down.wParam || last.lParam != key_down.lParam ||
        last.time != key_down.time || m_last_key_down_text.empty())
        return false;
    text = m_last_key_down_text;
    return true;
}

bool MessageQueue::peek(MSG& message, const MessageFilter& filter, bool remove) {
    return look(message, filter, remove, nullptr);
}

bool MessageQueue::look(MSG& message, const MessageFilter& filter, bool remove,
                        NothingFound* nothing_found) {
    WindowMatcher windows(filter.window);
    std::unique_lock lock(queue_lock());
    for (;;) {
        if (handle_one_sent(lock))
            continue;
        const uint64_t serial = m_serial;
        HWND to_learn = nullptr;

        // Posted messages, oldest first.
        for (auto it = m_posted.begin(); it != m_posted.end() && !to_learn; ++it) {
            if (!filter.accepts_number(it->message))
                continue;
            const std::optional<bool> accepted = windows.accepts(it->hwnd);
            if (!accepted) {
                to_learn = it->hwnd;
            } else if (*accepted) {
                message = *it;
                if (remove)
                    m_posted.erase(it);
                took_message(message);
                return true;
            }
        }
        if (to_learn) {
            lock.unlock();
            windows.learn(to_learn);
            lock.lock();
            continue;
        }

        // Input, in the order it happened. An event becomes a message when first looked at.
        std::shared_ptr<QueuedInput> to_resolve;
        for (auto it = m_input.begin(); it != m_input.end() && !to_learn && !to_resolve; ++it) {
            QueuedInput& input = **it;
            const auto [low, high] = possible_messages(input);
            if (input.state == QueuedInput::State::Resolving ||
                !filter.accepts_number_range(low, high))
                continue;
            if (input.state == QueuedInput::State::Routed) {
                to_resolve = *it;
                continue;
            }
            if (!filter.accepts_number(input.resolved.message))
                continue;
            const std::optional<bool> accepted = windows.accepts(input.resolved.hwnd);
            if (!accepted) {
                to_learn = input.resolved.hwnd;
            } else if (*accepted) {
                message = input.resolved;
                if (remove) {
                    input.retrieved = true;
                    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
                        m_last_key_down = message;
                        m_last_key_down_text = input.text;
                    }
                    m_input.erase(it);
                }
                took_message(message);
                return true;
            }
        }
        if (to_learn) {
            lock.unlock();
            windows.learn(to_learn);
            lock.lock();
            continue;
        }
        if (to_resolve) {
            to_resolve->state = QueuedInput::State::Resolving;
            lock.unlock();
            const std::optional<MSG> resolved = InputRouter::instance().resolve(*this, *to_resolve);
            lock.lock();
            if (resolved) {
                to_resolve->resolved = *resolved;
                to_resolve->state = QueuedInput::State::Ready;
            } else {
                to_resolve->state = QueuedInput::State::Dropped;
                std::erase(m_input, to_resolve);
                MessageQueueRegistry::instance().notify_idle_locked();
            }
            continue;
        }

        // WM_QUIT once the posted messages are exhausted, whatever the filter.
        if (m_quit) {
            message = MSG{nullptr, WM_QUIT,        static_cast<WPARAM>(m_exit_code),
                          0,       GetTickCount(), current_cursor_locked()};
            if (remove)
                m_quit = false;
            took_message(message);
            return true;
        }

        // WM_PAINT is generated while a window's update region is not empty.
        if (!filter.thread_messages_only() && filter.accepts_number(WM_PAINT)) {
            lock.unlock();
            const HWND needs_paint = next_window_needing_paint(m_thread_id, filter.window);
            lock.lock();
            if (needs_paint) {
                message = MSG{needs_paint, WM_PAINT, 0, 0, GetTickCount(), current_cursor_locked()};
                took_message(message);
                return true;
            }
        }

        // WM_TIMER, generated when a timer is due and nothing else is waiting.
        std::optional<TimerList::TimePoint> next_timer;
        if (filter.accepts_number(WM_TIMER)) {
            auto accepts = [&](const TimerList::Timer& timer) {
                const std::optional<bool> accepted = windows.accepts(timer.hwnd);
                if (!accepted && !to_learn)
                    to_learn = timer.hwnd;
                return accepted.value_or(false);
            };
            const auto now = TimerList::Clock::now();
            const TimerList::Timer* due = m_timers.first_due(now, accepts);
            next_timer = m_timers.next_due(accepts);
            if (to_learn) {
                lock.unlock();
                windows.learn(to_learn);
                lock.lock();
                continue;
            }
            if (due) {
                message = MSG{due->hwnd,      WM_TIMER,
                              due->id,        reinterpret_cast<LPARAM>(due->procedure),
                              GetTickCount(), current_cursor_locked()};
                if (remove)
                    m_timers.rearm(due->hwnd, due->id, now);
                took_message(message);
                return true;
            }
        }

        if (serial != m_serial)
            continue; // something arrived while the lock was released
        if (filter.everything() && m_checked_serial != serial) {
            m_checked_serial = serial;
            MessageQueueRegistry::instance().notify_idle_locked();
        }
        if (nothing_found)
            *nothing_found = NothingFound{serial, next_timer};
        return false;
    }
}

void MessageQueue::wait_for_change(const NothingFound& nothing_found) {
    std::unique_lock lock(queue_lock());
    auto changed = [&] { return m_serial != nothing_found.serial; };
    if (changed())
        return;
    m_blocked_waiting = true;
    MessageQueueRegistry::instance().notify_idle_locked();
    if (nothing_found.next_timer)
        m_wake.wait_until(lock, *nothing_found.next_timer, changed);
    else
        m_wake.wait(lock, changed);
    m_blocked_waiting = false;
    MessageQueueRegistry::instance().notify_idle_locked();
}

void MessageQueue::get(MSG& message, const MessageFilter& filter) {
    NothingFound nothing_found;
    while (!look(message, filter, true, &nothing_found))
        wait_for_change(nothing_found);
}

void MessageQueue::wait_for_any() {
    MSG message;
    NothingFound nothing_found;
    while (!look(message, MessageFilter{}, false, &nothing_found))
        wait_for_change(nothing_found);
}

} // namespace mullion
