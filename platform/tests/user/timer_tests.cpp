// Timers: the list's bookkeeping, and WM_TIMER generation through the queue.
#include "message_test_window.h"
#include "user/timer_list.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using mullion::TimerList;
using namespace std::chrono_literals;

const TimerList::TimePoint start{};

TEST(TimerList, IntervalIsClampedToTheTenMillisecondMinimum) {
    TimerList timers;
    const HWND hwnd = reinterpret_cast<HWND>(0x10);
    timers.set(hwnd, 1, 1, nullptr, start);
    auto all = [](const TimerList::Timer&) { return true; };
    EXPECT_EQ(timers.next_due(all), start + 10ms);
    EXPECT_EQ(timers.first_due(start + 9ms, all), nullptr);
    ASSERT_NE(timers.first_due(start + 10ms, all), nullptr);
}

TEST(TimerList, SettingAnExistingTimerReplacesAndResetsIt) {
    TimerList timers;
    const HWND hwnd = reinterpret_cast<HWND>(0x10);
    auto all = [](const TimerList::Timer&) { return true; };
    EXPECT_EQ(timers.set(hwnd, 5, 100, nullptr, start), 5u);
    EXPECT_EQ(timers.set(hwnd, 5, 300, nullptr, start + 50ms), 5u);
    EXPECT_EQ(timers.next_due(all), start + 350ms);
    EXPECT_TRUE(timers.kill(hwnd, 5));
    EXPECT_FALSE(timers.kill(hwnd, 5));
    EXPECT_TRUE(timers.empty());
}

TEST(TimerList, ThreadTimersGetDistinctNonzeroIdentifiers) {
    TimerList timers;
    const UINT_PTR first = timers.set(nullptr, 0, 100, nullptr, start);
    const UINT_PTR second = timers.set(nullptr, 0, 100, nullptr, start);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    // Naming an existing thread timer replaces it rather than making another.
    EXPECT_EQ(timers.set(nullptr, first, 200, nullptr, start), first);
    EXPECT_TRUE(timers.kill(nullptr, first));
    EXPECT_TRUE(timers.kill(nullptr, second));
    EXPECT_TRUE(timers.empty());
}

TEST(TimerList, EarliestDueTimerFiresFirstAndIsRearmedOneIntervalLater) {
    TimerList timers;
    const HWND a = reinterpret_cast<HWND>(0x10);
    const HWND b = reinterpret_cast<HWND>(0x20);
    auto all = [](const TimerList::Timer&) { return true; };
    timers.set(a, 1, 30, nullptr, start);
    timers.set(b, 1, 20, nullptr, start);
    const TimerList::Timer* due = timers.first_due(start + 40ms, all);
    ASSERT_NE(due, nullptr);
    EXPECT_EQ(due->hwnd, b);
    timers.rearm(b, 1, start + 40ms);
    due = timers.first_due(start + 40ms, all);
    ASSERT_NE(due, nullptr);
    EXPECT_EQ(due->hwnd, a);
    timers.remove_window(a);
    EXPECT_EQ(timers.next_due(all), start + 60ms);
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { drain_messages(); }
    void TearDown() override { drain_messages(); }
};

std::vector<std::pair<UINT_PTR, UINT>> g_timer_calls;

void CALLBACK record_timer(HWND, UINT message, UINT_PTR id, DWORD) {
    g_timer_calls.emplace_back(id, message);
}

TEST_F(TimerTest, ThreadTimerWithProcedureIsCalledByDispatchMessage) {
    g_timer_calls.clear();
    const UINT_PTR id = SetTimer(nullptr, 0, 10, record_timer);
    ASSERT_NE(id, 0u);
    MSG message;
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_EQ(message.wParam, id);
    EXPECT_EQ(message.lParam, reinterpret_cast<LPARAM>(record_timer));
    DispatchMessageA(&message);
    EXPECT_EQ(g_timer_calls, (std::vector<std::pair<UINT_PTR, UINT>>{{id, WM_TIMER}}));
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(TimerTest, WaitMessageReturnsWhenAWindowTimerIsDue) {
    MessageTestWindow window;
    drain_messages();
    ASSERT_NE(SetTimer(window.hwnd(), 7, 20, nullptr), 0u);
    EXPECT_TRUE(WaitMessage());
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(message.hwnd, window.hwnd());
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(message.lParam, 0);
    DispatchMessageA(&message);
    EXPECT_EQ(window.received_numbers({WM_TIMER}), std::vector<UINT>{WM_TIMER});
    // Taking the message rearmed the timer: it is not due again at once.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_TRUE(KillTimer(window.hwnd(), 7));
}

TEST_F(TimerTest, DestroyingTheWindowKillsItsTimers) {
    auto window = std::make_unique<MessageTestWindow>();
    const HWND hwnd = window->hwnd();
    ASSERT_NE(SetTimer(hwnd, 3, 1000, nullptr), 0u);
    window.reset();
    EXPECT_FALSE(KillTimer(hwnd, 3));
}

TEST_F(TimerTest, AnotherThreadsWindowCannotGetATimer) {
    MessageTestWindow window;
    UINT_PTR result = 1;
    std::thread([&] { result = SetTimer(window.hwnd(), 1, 100, nullptr); }).join();
    EXPECT_EQ(result, 0u);
}

TEST_F(TimerTest, DispatchIgnoresATimerProcedureThatWasNeverSet) {
    g_timer_calls.clear();
    const MSG forged{nullptr, WM_TIMER, 99, reinterpret_cast<LPARAM>(record_timer), 0, {0, 0}};
    DispatchMessageA(&forged);
    EXPECT_TRUE(g_timer_calls.empty());
}

} // namespace
