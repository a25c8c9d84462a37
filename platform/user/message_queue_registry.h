#pragma once

#include "input.h"
#include "message_queue.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <unordered_map>
#include <utility>

namespace mullion {

// The message queues of all threads, by thread id. A thread gets its queue the first time
// it creates a window or calls a message function; the queue is removed when the thread
// exits. Also keeps the condition idle waiters block on.
class MessageQueueRegistry {
public:
    static MessageQueueRegistry& instance();

    // The calling thread's queue, created on first use. Call without queue_lock() held.
    std::shared_ptr<MessageQueue> current_thread_queue();
    // A thread made by CreateThread has its queue from its creation, so that waits for
    // idleness count it as busy until it waits for messages or ends.
    void add_queue_for_new_thread(DWORD thread_id);
    void remove_queue_of_unstarted_thread(DWORD thread_id);
    // The calling thread's queue, or null when it never needed one.
    std::shared_ptr<MessageQueue> current_thread_queue_if_any() const;

    // --- With queue_lock() held ---
    std::shared_ptr<MessageQueue> find_locked(DWORD thread_id) const;
    template <class Function> void for_each_locked(Function&& function) const {
        for (const auto& entry : m_queues)
            function(*entry.second);
    }
    // A queue's idle state may have changed.
    void notify_idle_locked() { m_idle_changed.notify_all(); }

    bool wait_until_idle(IdleKind kind, std::chrono::milliseconds timeout);
    // Blocks until `condition`, evaluated with queue_lock() held, holds or the timeout
    // passes; it is evaluated again whenever a queue changes.
    template <class Condition>
    bool wait_for(std::chrono::milliseconds timeout, Condition&& condition) {
        std::unique_lock lock(queue_lock());
        return m_idle_changed.wait_for(lock, timeout, std::forward<Condition>(condition));
    }
    // The calling thread is exiting: its queue goes away.
    void remove_current_thread_queue(const std::shared_ptr<MessageQueue>& queue);
    // The calling thread will retrieve no more messages (its program's message loop is over):
    // its queue leaves now instead of at the thread's exit, so waits for idleness stop
    // counting it and senders still waiting on it are released.
    void retire_current_thread_queue();

private:
    MessageQueueRegistry() = default;
    bool all_idle_locked(IdleKind kind, DWORD calling_thread) const;

    std::condition_variable m_idle_changed;
    std::unordered_map<DWORD, std::shared_ptr<MessageQueue>> m_queues;
};

} // namespace mullion
