// wait_until_idle: queues empty, and threads stopped asking for idle time.
#include "input_test_support.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;
using mullion::IdleKind;
using mullion::wait_until_idle;

constexpr UINT block_here = WM_APP + 30;
// Long enough never to run out on a loaded machine when idleness is expected; used as a
// short bound only where the answer must be "not idle".
constexpr auto expected_idle = 20s;
constexpr auto expected_busy = 200ms;

// A gate a worker waits at until the test opens it.
class Gate {
public:
    void wait() {
        std::unique_lock lock(m_mutex);
        m_reached = true;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_open; });
    }
    void wait_until_reached() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_reached; });
    }
    void open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_reached = false;
    bool m_open = false;
};

// A worker thread with a hidden window and a GetMessage loop.
class PumpingWorker {
public:
    explicit PumpingWorker(std::function<void(MessageTestWindow&)> setup = {})
        : m_thread([this, setup] {
              MessageTestWindow window(RECT{0, 0, 50, 50}, 0, WS_POPUP);
              if (setup)
                  setup(window);
              m_window.set_value(window.hwnd());
              MSG message;
              while (GetMessageA(&message, nullptr, 0, 0) > 0)
                  DispatchMessageA(&message);
          }),
          m_hwnd(m_window.get_future().get()) {}
    ~PumpingWorker() {
        PostMessageA(m_hwnd, WM_QUIT, 0, 0);
        m_thread.join();
    }
    HWND hwnd() const { return m_hwnd; }

private:
    std::promise<HWND> m_window;
    std::thread m_thread;
    HWND m_hwnd;
};

class IdleTest : public ::testing::Test {
protected:
    void SetUp() override { drain_messages(); }
    void TearDown() override { drain_messages(); }
};

TEST_F(IdleTest, ThreadBlockedInGetMessageIsIdleStopped) {
    PumpingWorker worker;
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
    EXPECT_TRUE(wait_until_idle(IdleKind::QueuesEmpty, expected_idle));
}

TEST_F(IdleTest, ThreadHandlingAMessageIsNotIdleUntilItLooksAgain) {
    Gate gate;
    PumpingWorker worker([&](MessageTestWindow& window) {
        window.on(block_here, [&](HWND, WPARAM, LPARAM) {
            gate.wait();
            return static_cast<LRESULT>(0);
        });
    });
    PostMessageA(worker.hwnd(), block_here, 0, 0);
    gate.wait_until_reached();
    // The message was taken but the thread has not come back to its queue.
    EXPECT_FALSE(wait_until_idle(IdleKind::QueuesEmpty, expected_busy));
    gate.open();
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
}

TEST_F(IdleTest, ThreadPeekingInAnIdleLoopHasEmptyQueuesButIsNotStopped) {
    Gate gate;
    std::thread worker([&] {
        MessageTestWindow window(RECT{0, 0, 50, 50}, 0, WS_POPUP);
        drain_messages();
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
        gate.wait(); // idle processing, not waiting for messages
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    });
    gate.wait_until_reached();
    EXPECT_TRUE(wait_until_idle(IdleKind::QueuesEmpty, expected_idle));
    EXPECT_FALSE(wait_until_idle(IdleKind::IdleStopped, expected_busy));
    gate.open();
    worker.join();
}

TEST_F(IdleTest, InjectedInputCountsUntilTheTargetThreadHasTakenIt) {
    Gate gate;
    std::promise<HWND> created;
    std::atomic<int> clicks{0};
    std::thread worker([&] {
        MessageTestWindow window(RECT{700, 500, 800, 600});
        window.on(WM_LBUTTONDOWN, [&](HWND, WPARAM, LPARAM) {
            ++clicks;
            return static_cast<LRESULT>(0);
        });
        drain_messages();
        created.set_value(window.hwnd());
        gate.wait();
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
    });
    const HWND hwnd = created.get_future().get();
    gate.wait_until_reached();
    inject_click(750, 550);
    EXPECT_FALSE(wait_until_idle(IdleKind::QueuesEmpty, expected_busy));
    gate.open();
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
    EXPECT_EQ(clicks.load(), 1);
    PostMessageA(hwnd, WM_QUIT, 0, 0);
    worker.join();
}

TEST_F(IdleTest, PendingTimersDoNotCountAsWork) {
    PumpingWorker worker(
        [](MessageTestWindow& window) { SetTimer(window.hwnd(), 1, 60000, nullptr); });
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
}

TEST_F(IdleTest, QueueOfAnExitedThreadIsForgotten) {
    std::thread([] {
        // Leaves a message behind that nobody will ever retrieve.
        PostMessageA(nullptr, block_here, 0, 0);
    }).join();
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
}

TEST_F(IdleTest, ThreadWaitingForTheReplyToASentMessageIsStopped) {
    constexpr UINT end_prompt = WM_APP + 31;
    std::promise<void> prompting;
    // The receiver answers the sent message with a nested message loop, as a prompt does.
    PumpingWorker receiver([&](MessageTestWindow& window) {
        window.on(block_here, [&](HWND, WPARAM, LPARAM) {
            prompting.set_value();
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != end_prompt)
                DispatchMessageA(&message);
            return static_cast<LRESULT>(7);
        });
    });
    // A thread of the kind that asks a window by sending, made with the system's own thread
    // function.
    struct Sender {
        HWND target;
        LRESULT answer = 0;
        static DWORD WINAPI run(LPVOID self) {
            auto* sender = static_cast<Sender*>(self);
            sender->answer = SendMessageA(sender->target, block_here, 0, 0);
            return 0;
        }
    } sender{receiver.hwnd()};
    const HANDLE thread = CreateThread(nullptr, 0, &Sender::run, &sender, 0, nullptr);
    prompting.get_future().wait();
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle))
        << "both threads wait: the receiver for input, the sender for the answer";
    PostMessageA(receiver.hwnd(), end_prompt, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    CloseHandle(thread);
    EXPECT_EQ(sender.answer, 7);
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle))
        << "the sender's queue went with its thread";
}

TEST_F(IdleTest, ThreadMadeByCreateThreadIsBusyUntilItEnds) {
    Gate gate;
    const HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID started_gate) -> DWORD {
            static_cast<Gate*>(started_gate)->wait(); // working, without ever looking for messages
            return 0;
        },
        &gate, 0, nullptr);
    EXPECT_FALSE(wait_until_idle(IdleKind::IdleStopped, expected_busy));
    gate.wait_until_reached();
    EXPECT_FALSE(wait_until_idle(IdleKind::IdleStopped, expected_busy));
    gate.open();
    EXPECT_TRUE(wait_until_idle(IdleKind::IdleStopped, expected_idle));
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

TEST_F(IdleTest, MessageWaitingForAThreadThatIsNotPumpingIsNotIdle) {
    Gate gate;
    DWORD worker_id = 0;
    std::thread worker([&] {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        worker_id = GetCurrentThreadId();
        gate.wait();
        drain_messages();
    });
    gate.wait_until_reached();
    PostThreadMessageA(worker_id, block_here, 0, 0);
    EXPECT_FALSE(wait_until_idle(IdleKind::QueuesEmpty, expected_busy));
    gate.open();
    worker.join();
}

} // namespace
