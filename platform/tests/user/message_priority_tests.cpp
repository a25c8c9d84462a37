// The order in which a thread retrieves what is waiting for it, WM_PAINT generation and
// nested message loops.
#include "message_test_window.h"
#include "user/input.h"
#include "user/message_queue_registry.h"

#include <gtest/gtest.h>

#include <future>

namespace {

using namespace std::chrono_literals;

constexpr UINT ping = WM_APP + 20;
constexpr UINT posted = WM_APP + 21;
constexpr UINT end_loop = WM_APP + 22;

void inject_move(LONG x, LONG y) {
    mullion::InputEvent move;
    move.type = mullion::InputEvent::Type::MouseMove;
    move.position = POINT{x, y};
    mullion::inject_input(move);
}

bool wait_for_sent_message(DWORD thread_id) {
    auto& registry = mullion::MessageQueueRegistry::instance();
    return registry.wait_for(10s, [&] {
        auto queue = registry.find_locked(thread_id);
        return queue && queue->sent_waiting_locked() > 0;
    });
}

LRESULT validate_by_painting(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    return 0;
}

class MessagePriorityTest : public ::testing::Test {
protected:
    void SetUp() override { drain_messages(); }
    void TearDown() override { drain_messages(); }
};

TEST_F(MessagePriorityTest, SentThenPostedThenInputThenPaintThenTimer) {
    MessageTestWindow window(RECT{120, 120, 320, 220});
    window.on(WM_PAINT, validate_by_painting);
    drain_messages();
    inject_move(10, 10); // away from the window first, so the next move is a real one
    drain_messages();

    ASSERT_NE(SetTimer(window.hwnd(), 1, 10, nullptr), 0u);
    Sleep(30); // the timer is due
    InvalidateRect(window.hwnd(), nullptr, FALSE);
    inject_move(150, 150);
    PostMessageA(window.hwnd(), posted, 0, 0);
    auto send =
        std::async(std::launch::async, [&] { return SendMessageA(window.hwnd(), ping, 0, 0); });
    ASSERT_TRUE(wait_for_sent_message(GetCurrentThreadId()));

    std::vector<UINT> retrieved;
    MSG message;
    while (retrieved.size() < 4 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (retrieved.empty()) {
            // The sent message was handled before anything was returned.
            EXPECT_EQ(window.received_numbers({ping}), std::vector<UINT>{ping});
        }
        retrieved.push_back(message.message);
        DispatchMessageA(&message);
    }
    send.get();
    KillTimer(window.hwnd(), 1);
    EXPECT_EQ(retrieved, (std::vector<UINT>{posted, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessagePriorityTest, PaintIsGeneratedWhileTheUpdateRegionIsNotEmpty) {
    MessageTestWindow window;
    window.on(WM_PAINT, validate_by_painting);
    drain_messages();
    InvalidateRect(window.hwnd(), nullptr, FALSE);
    MSG message;
    // Removing a WM_PAINT does not validate: it is generated again.
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    EXPECT_EQ(message.hwnd, window.hwnd());
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&message);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(MessagePriorityTest, PaintThatValidatesNothingDoesNotRepeatForever) {
    MessageTestWindow window;
    window.on(WM_PAINT, [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(0); });
    drain_messages();
    InvalidateRect(window.hwnd(), nullptr, FALSE);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&message);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(MessagePriorityTest, NestedLoopRunsUntilItsPrivateMessageThenTheOuterLoopGoesOn) {
    // The window procedure runs its own loop, as a modal dialog does, when it gets `ping`;
    // `end_loop` ends it. Messages posted meanwhile are handled by the inner loop in order.
    MessageTestWindow window;
    std::vector<std::string> trace;
    window.on(ping, [&](HWND hwnd, WPARAM, LPARAM) {
        trace.push_back("enter");
        PostMessageA(hwnd, posted, 1, 0);
        PostMessageA(hwnd, end_loop, 0, 0);
        PostMessageA(hwnd, posted, 2, 0);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.message == end_loop)
                break;
            DispatchMessageA(&message);
        }
        trace.push_back("leave");
        return static_cast<LRESULT>(0);
    });
    window.on(posted, [&](HWND, WPARAM wparam, LPARAM) {
        trace.push_back("posted" + std::to_string(wparam));
        return static_cast<LRESULT>(0);
    });
    PostMessageA(window.hwnd(), ping, 0, 0);
    PostQuitMessage(0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    EXPECT_EQ(trace, (std::vector<std::string>{"enter", "posted1", "leave", "posted2"}));
}

} // namespace
