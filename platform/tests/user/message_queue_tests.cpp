// Posted thread messages, WM_QUIT and the retrieval filters.
#include "message_test_window.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

namespace {

constexpr UINT first_private = WM_APP + 1;

class MessageQueueTest : public ::testing::Test {
protected:
    void SetUp() override { drain_messages(); }
    void TearDown() override { drain_messages(); }
};

TEST_F(MessageQueueTest, PostedThreadMessagesComeBackInOrderWithTheirParameters) {
    for (UINT i = 0; i < 3; ++i)
        ASSERT_TRUE(PostMessageA(nullptr, first_private + i, 10 + i, -static_cast<LPARAM>(i)));
    for (UINT i = 0; i < 3; ++i) {
        MSG message{};
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(message.hwnd, nullptr);
        EXPECT_EQ(message.message, first_private + i);
        EXPECT_EQ(message.wParam, 10u + i);
        EXPECT_EQ(message.lParam, -static_cast<LPARAM>(i));
    }
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, NoRemoveLeavesTheMessageAndRemoveTakesIt) {
    PostMessageA(nullptr, first_private, 1, 2);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, first_private);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, first_private);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, RangeFilterSkipsMessagesOutsideTheRangeWithoutLosingThem) {
    PostMessageA(nullptr, first_private, 0, 0);
    PostMessageA(nullptr, first_private + 5, 0, 0);
    PostMessageA(nullptr, first_private + 1, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, first_private + 1, first_private + 5, PM_REMOVE));
    EXPECT_EQ(message.message, first_private + 5);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, first_private + 1, first_private + 5, PM_REMOVE));
    EXPECT_EQ(message.message, first_private + 1);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, first_private + 1, first_private + 5, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, first_private);
}

TEST_F(MessageQueueTest, WindowFilterOfMinusOneTakesOnlyThreadMessages) {
    MessageTestWindow window;
    PostMessageA(window.hwnd(), first_private, 0, 0);
    PostMessageA(nullptr, first_private + 1, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), first_private, first_private + 1,
                             PM_REMOVE));
    EXPECT_EQ(message.message, first_private + 1);
    EXPECT_FALSE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), first_private,
                              first_private + 1, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, window.hwnd(), first_private, first_private + 1, PM_REMOVE));
    EXPECT_EQ(message.hwnd, window.hwnd());
}

TEST_F(MessageQueueTest, WindowFilterIncludesTheWindowsChildren) {
    MessageTestWindow parent;
    MessageTestWindow other;
    const HWND child =
        CreateWindowExA(0, "MessageTest", "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                        parent.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(child);
    PostMessageA(other.hwnd(), first_private, 0, 0);
    PostMessageA(child, first_private + 1, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, parent.hwnd(), first_private, first_private + 1, PM_REMOVE));
    EXPECT_EQ(message.hwnd, child);
    EXPECT_FALSE(
        PeekMessageA(&message, parent.hwnd(), first_private, first_private + 1, PM_REMOVE));
}

TEST_F(MessageQueueTest, InvalidWindowFilterFailsGetMessageWithMinusOne) {
    MSG message{};
    const HWND bogus = reinterpret_cast<HWND>(0x12345670);
    EXPECT_EQ(GetMessageA(&message, bogus, 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PeekMessageA(&message, bogus, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, QuitComesAfterThePostedMessagesAndCarriesTheExitCode) {
    PostMessageA(nullptr, first_private, 0, 0);
    PostQuitMessage(42);
    PostMessageA(nullptr, first_private + 1, 0, 0);
    MSG message{};
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, first_private);
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, first_private + 1);
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 42u);
    // Retrieving WM_QUIT clears the flag.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, QuitIsRetrievedWhateverTheFilter) {
    PostQuitMessage(3);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, first_private, first_private, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(GetMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST), 0);
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(MessageQueueTest, PostThreadMessageToAThreadWithoutQueueFails) {
    DWORD thread_id = 0;
    std::mutex mutex;
    std::condition_variable changed;
    bool posted = false;
    std::thread worker([&] {
        std::unique_lock lock(mutex);
        thread_id = GetCurrentThreadId();
        changed.notify_all();
        changed.wait(lock, [&] { return posted; });
    });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return thread_id != 0; });
    }
    EXPECT_FALSE(PostThreadMessageA(thread_id, first_private, 0, 0));
    {
        std::lock_guard lock(mutex);
        posted = true;
    }
    changed.notify_all();
    worker.join();
}

TEST_F(MessageQueueTest, PostThreadMessageWakesAThreadBlockedInGetMessage) {
    DWORD worker_id = 0;
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<UINT> received;
    int exit_code = -1;
    std::thread worker([&] {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // creates the queue
        {
            std::lock_guard lock(mutex);
            worker_id = GetCurrentThreadId();
        }
        ready.notify_all();
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            received.push_back(message.message);
        exit_code = static_cast<int>(message.wParam);
    });
    {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return worker_id != 0; });
    }
    EXPECT_TRUE(PostThreadMessageA(worker_id, first_private, 0, 0));
    EXPECT_TRUE(PostThreadMessageA(worker_id, first_private + 1, 0, 0));
    EXPECT_TRUE(PostThreadMessageA(worker_id, WM_QUIT, 7, 0));
    worker.join();
    EXPECT_EQ(received, (std::vector<UINT>{first_private, first_private + 1}));
    EXPECT_EQ(exit_code, 7);
}

TEST_F(MessageQueueTest, GetMessageTimeAndPosDescribeTheLastMessageRetrieved) {
    const DWORD before = GetTickCount();
    PostMessageA(nullptr, first_private, 0, 0);
    MSG message{};
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), message.time);
    EXPECT_LE(message.time - before, GetTickCount() - before);
    POINT cursor;
    GetCursorPos(&cursor);
    const DWORD position = GetMessagePos();
    EXPECT_EQ(static_cast<SHORT>(LOWORD(position)), message.pt.x);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(position)), message.pt.y);
    EXPECT_EQ(message.pt.x, cursor.x);
    EXPECT_EQ(message.pt.y, cursor.y);
}

TEST(ThreadBasics, ThreadIdsAreStableNonzeroAndDistinct) {
    const DWORD mine = GetCurrentThreadId();
    EXPECT_NE(mine, 0u);
    EXPECT_EQ(GetCurrentThreadId(), mine);
    DWORD other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(other, 0u);
    EXPECT_NE(other, mine);
}

TEST(ThreadBasics, LastErrorIsPerThread) {
    SetLastError(1234);
    std::thread([] {
        EXPECT_EQ(GetLastError(), 0u);
        SetLastError(5);
    }).join();
    EXPECT_EQ(GetLastError(), 1234u);
}

} // namespace
