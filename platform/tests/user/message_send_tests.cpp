// SendMessageA within a thread and across threads, InSendMessage and ReplyMessage.
#include "message_test_window.h"
#include "user/message_queue_registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;
using mullion::MessageQueue;
using mullion::MessageQueueRegistry;

constexpr UINT ping = WM_APP + 10;
constexpr UINT pong = WM_APP + 11;
constexpr UINT stop = WM_APP + 12;
// Windows of worker threads stay hidden: showing one would activate it, which involves the
// test thread's active window while the test thread may be waiting for the worker.
constexpr RECT hidden_rect{0, 0, 50, 50};

// Blocks until the thread's queue holds `count` messages sent by other threads.
bool wait_for_sent_messages(DWORD thread_id, size_t count) {
    auto& registry = MessageQueueRegistry::instance();
    return registry.wait_for(10s, [&] {
        auto queue = registry.find_locked(thread_id);
        return queue && queue->sent_waiting_locked() >= count;
    });
}

class SendMessageTest : public ::testing::Test {
protected:
    void SetUp() override { drain_messages(); }
    void TearDown() override { drain_messages(); }
};

TEST_F(SendMessageTest, SameThreadSendCallsTheProcedureAtOnceAndReturnsItsResult) {
    MessageTestWindow window;
    window.on(ping, [](HWND, WPARAM wparam, LPARAM lparam) {
        return static_cast<LRESULT>(wparam * 100 + lparam);
    });
    PostMessageA(window.hwnd(), pong, 0, 0);
    EXPECT_EQ(SendMessageA(window.hwnd(), ping, 4, 2), 402);
    // The send did not go through the queue: the posted message is still the only one there.
    EXPECT_EQ(window.received_numbers({ping, pong}), std::vector<UINT>{ping});
    EXPECT_FALSE(InSendMessage());
}

TEST_F(SendMessageTest, SendToAnInvalidWindowFailsWithZero) {
    SetLastError(0);
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(0x7654320), ping, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(SendMessageTest, WorkerSendIsHandledOnTheOwnerThreadInsideGetMessage) {
    MessageTestWindow window;
    std::atomic<BOOL> in_send{FALSE};
    std::atomic<BOOL> in_nested_local_send{TRUE};
    window.on(ping, [&](HWND hwnd, WPARAM wparam, LPARAM) {
        in_send = InSendMessage();
        SendMessageA(hwnd, pong, 0, 0);
        return static_cast<LRESULT>(wparam + 1);
    });
    window.on(pong, [&](HWND, WPARAM, LPARAM) {
        // Sent by the window's own thread, even though inside a message from another.
        in_nested_local_send = InSendMessage();
        return static_cast<LRESULT>(0);
    });
    auto result = std::async(std::launch::async, [&] {
        const LRESULT answer = SendMessageA(window.hwnd(), ping, 41, 0);
        PostMessageA(window.hwnd(), stop, 0, 0);
        return answer;
    });
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) && message.message != stop)
        DispatchMessageA(&message);
    EXPECT_EQ(result.get(), 42);
    const auto pings = window.received({ping});
    ASSERT_EQ(pings.size(), 1u);
    EXPECT_EQ(pings[0].thread_id, GetCurrentThreadId());
    EXPECT_TRUE(in_send);
    EXPECT_FALSE(in_nested_local_send);
}

TEST_F(SendMessageTest, TwoThreadsSendingToEachOtherDoNotDeadlock) {
    // The test thread's window answers pings; the worker's window, while it handles a ping
    // from the test thread, sends a ping back and waits for the answer.
    MessageTestWindow mine;
    mine.on(ping, [](HWND, WPARAM wparam, LPARAM) { return static_cast<LRESULT>(wparam * 2); });
    std::promise<HWND> worker_window;
    std::atomic<LRESULT> worker_saw{0};
    std::thread worker([&] {
        MessageTestWindow theirs(hidden_rect, 0, WS_POPUP);
        theirs.on(ping, [&](HWND, WPARAM wparam, LPARAM) {
            worker_saw = SendMessageA(mine.hwnd(), ping, wparam, 0);
            return static_cast<LRESULT>(wparam + 1000);
        });
        worker_window.set_value(theirs.hwnd());
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
    });
    const HWND theirs = worker_window.get_future().get();
    EXPECT_EQ(SendMessageA(theirs, ping, 21, 0), 1021);
    EXPECT_EQ(worker_saw.load(), 42);
    PostMessageA(theirs, WM_QUIT, 0, 0);
    worker.join();
}

TEST_F(SendMessageTest, ReplyMessageReleasesTheSenderBeforeTheHandlerReturns) {
    MessageTestWindow window;
    std::promise<void> sender_released;
    std::future<void> released = sender_released.get_future();
    std::atomic<BOOL> second_reply{TRUE};
    window.on(ping, [&](HWND, WPARAM, LPARAM) {
        EXPECT_TRUE(ReplyMessage(77));
        second_reply = ReplyMessage(88);
        // The sender is running again while this handler still runs.
        released.wait();
        return static_cast<LRESULT>(99);
    });
    std::thread worker([&] {
        EXPECT_EQ(SendMessageA(window.hwnd(), ping, 0, 0), 77);
        sender_released.set_value();
        PostMessageA(window.hwnd(), stop, 0, 0);
    });
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) && message.message != stop)
        DispatchMessageA(&message);
    worker.join();
    EXPECT_FALSE(second_reply);
    // Outside a message sent by another thread there is nobody to reply to.
    EXPECT_FALSE(ReplyMessage(1));
}

TEST_F(SendMessageTest, DestroyingTheWindowReleasesAWaitingSenderWithZero) {
    auto window = std::make_unique<MessageTestWindow>();
    const HWND hwnd = window->hwnd();
    window->on(ping, [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(5); });
    auto result = std::async(std::launch::async, [hwnd] { return SendMessageA(hwnd, ping, 0, 0); });
    ASSERT_TRUE(wait_for_sent_messages(GetCurrentThreadId(), 1));
    const auto handled_before = window->received({ping}).size();
    window.reset(); // destroys the window without retrieving the sent message
    EXPECT_EQ(result.get(), 0);
    EXPECT_EQ(handled_before, 0u);
}

TEST_F(SendMessageTest, SentMessagesAreHandledWhileTheReceiverWaitsForItsOwnSend) {
    // Thread A sends to B; B, before answering, sends to A. A handles B's message while
    // blocked in its own send, on its own thread.
    MessageTestWindow a_window;
    std::atomic<DWORD> handled_on{0};
    a_window.on(pong, [&](HWND, WPARAM, LPARAM) {
        handled_on = GetCurrentThreadId();
        return static_cast<LRESULT>(1);
    });
    std::promise<HWND> b_ready;
    std::thread b([&] {
        MessageTestWindow b_window(hidden_rect, 0, WS_POPUP);
        b_window.on(ping, [&](HWND, WPARAM, LPARAM) {
            return SendMessageA(a_window.hwnd(), pong, 0, 0) + 10;
        });
        b_ready.set_value(b_window.hwnd());
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
    });
    const HWND b_window = b_ready.get_future().get();
    EXPECT_EQ(SendMessageA(b_window, ping, 0, 0), 11);
    EXPECT_EQ(handled_on.load(), GetCurrentThreadId());
    PostMessageA(b_window, WM_QUIT, 0, 0);
    b.join();
}

} // namespace
