// Events, waits on events and on thread handles, across threads.
#include "windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(EventTest, AutoResetReleasesOneWaitThenResets) {
    HANDLE event = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_TRUE(SetEvent(event));
    EXPECT_TRUE(SetEvent(event)); // setting twice still releases only one wait
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(event));
}

TEST(EventTest, ManualResetStaysSignalledUntilReset) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), DWORD(WAIT_TIMEOUT));
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    ResetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), DWORD(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(EventTest, FiniteTimeoutExpiresOnUnsignalledEvent) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 20), DWORD(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(EventTest, InfiniteWaitWakesWhenAnotherThreadSets) {
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::atomic<bool> woke{false};
    std::thread waiter([&] {
        SetEvent(ready);
        EXPECT_EQ(WaitForSingleObject(go, INFINITE), WAIT_OBJECT_0);
        woke = true;
    });
    ASSERT_EQ(WaitForSingleObject(ready, INFINITE), WAIT_OBJECT_0);
    SetEvent(go);
    waiter.join();
    EXPECT_TRUE(woke);
    // The waiter took the automatic event's signal.
    EXPECT_EQ(WaitForSingleObject(go, 0), DWORD(WAIT_TIMEOUT));
    CloseHandle(ready);
    CloseHandle(go);
}

TEST(EventTest, AutoResetWakesExactlyOneOfTwoWaiters) {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> released{0};
    auto waiter = [&] {
        HANDLE both[] = {event, done};
        if (WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0)
            ++released;
    };
    std::thread first(waiter), second(waiter);
    SetEvent(event);
    SetEvent(done); // lets the waiter that did not get the event leave
    first.join();
    second.join();
    // Whether the signal came before or after a waiter started, one wait consumed it.
    EXPECT_EQ(released, 1);
    CloseHandle(event);
    CloseHandle(done);
}

TEST(EventTest, NamedEventIsSharedAndReportsAlreadyExists) {
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, "kernel-test-shared");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    HANDLE second = CreateEventA(nullptr, TRUE, FALSE, "kernel-test-shared");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_NE(first, second);
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
    CloseHandle(first);
    CloseHandle(second);
}

TEST(WaitTest, InvalidHandlesFail) {
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED); // closed handles no longer resolve
    EXPECT_FALSE(SetEvent(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(WaitTest, MultipleObjectsReportsLowestSignalledIndex) {
    HANDLE events[3];
    for (HANDLE& event : events)
        event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), DWORD(WAIT_TIMEOUT));
    SetEvent(events[2]);
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), DWORD(WAIT_TIMEOUT));
    SetEvent(events[0]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), WAIT_OBJECT_0);
    HANDLE twice[] = {events[0], events[0]};
    EXPECT_EQ(WaitForMultipleObjects(2, twice, TRUE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    for (HANDLE event : events)
        CloseHandle(event);
}

TEST(WaitTest, WaitAllTakesEveryAutoResetSignalTogether) {
    HANDLE a = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    HANDLE b = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE both[] = {a, b};
    // Not all signalled: nothing is taken.
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);
    SetEvent(a);
    SetEvent(b);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(a, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(b, 0), DWORD(WAIT_TIMEOUT));
    CloseHandle(a);
    CloseHandle(b);
}

} // namespace
