#include "message_queue_registry.h"

#include "../kernel/thread_observer.h"

#include <utility>

namespace mullion {

namespace {

// Ties a thread's queue to the thread's lifetime: the queue is removed when the thread exits.
struct QueueAttachment {
    std::shared_ptr<MessageQueue> queue;
    ~QueueAttachment() {
        if (queue)
            MessageQueueRegistry::instance().remove_current_thread_queue(queue);
    }
};

thread_local QueueAttachment t_attachment;

// Threads made by CreateThread get their queues from the start (see add_queue_for_new_thread).
const bool g_observing_threads = [] {
    set_thread_observer(ThreadObserver{
        [](DWORD thread_id) {
            MessageQueueRegistry::instance().add_queue_for_new_thread(thread_id);
        },
        [](DWORD thread_id) {
            MessageQueueRegistry::instance().remove_queue_of_unstarted_thread(thread_id);
        },
        [] { MessageQueueRegistry::instance().current_thread_queue(); }});
    return true;
}();

} // namespace

MessageQueueRegistry& MessageQueueRegistry::instance() {
    // Never destroyed: threads still exiting may remove their queues after static
    // destruction began.
    static MessageQueueRegistry* registry = new MessageQueueRegistry;
    return *registry;
}

std::shared_ptr<MessageQueue> MessageQueueRegistry::current_thread_queue() {
    if (!t_attachment.queue) {
        std::lock_guard lock(queue_lock());
        auto& queue = m_queues[GetCurrentThreadId()];
        if (!queue)
            queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
        t_attachment.queue = queue;
    }
    return t_attachment.queue;
}

void MessageQueueRegistry::add_queue_for_new_thread(DWORD thread_id) {
    std::lock_guard lock(queue_lock());
    m_queues.emplace(thread_id, std::make_shared<MessageQueue>(thread_id));
}

void MessageQueueRegistry::remove_queue_of_unstarted_thread(DWORD thread_id) {
    std::lock_guard lock(queue_lock());
    m_queues.erase(thread_id);
    notify_idle_locked();
}

std::shared_ptr<MessageQueue> MessageQueueRegistry::current_thread_queue_if_any() const {
    return t_attachment.queue;
}

std::shared_ptr<MessageQueue> MessageQueueRegistry::find_locked(DWORD thread_id) const {
    auto found = m_queues.find(thread_id);
    return found == m_queues.end() ? nullptr : found->second;
}

void MessageQueueRegistry::remove_current_thread_queue(const std::shared_ptr<MessageQueue>& queue) {
    std::lock_guard lock(queue_lock());
    queue->release_senders_locked();
    m_queues.erase(queue->thread_id());
    notify_idle_locked();
}

void MessageQueueRegistry::retire_current_thread_queue() {
    if (auto queue = std::exchange(t_attachment.queue, nullptr))
        remove_current_thread_queue(queue);
}

bool MessageQueueRegistry::all_idle_locked(IdleKind kind, DWORD calling_thread) const {
    for (const auto& [thread_id, queue] : m_queues) {
        // The waiting thread retrieves nothing while it waits: only its queue's contents count.
        const IdleKind required = thread_id == calling_thread ? IdleKind::QueuesEmpty : kind;
        if (thread_id == calling_thread ? !queue->empty_locked() : !queue->idle_locked(required))
            return false;
    }
    return true;
}

bool MessageQueueRegistry::wait_until_idle(IdleKind kind, std::chrono::milliseconds timeout) {
    const DWORD calling_thread = GetCurrentThreadId();
    std::unique_lock lock(queue_lock());
    return m_idle_changed.wait_for(lock, timeout,
                                   [&] { return all_idle_locked(kind, calling_thread); });
}

} // namespace mullion
