// CWinThread, AfxBeginThread, CEvent, CCriticalSection and CSingleLock.
#include "framework.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct WorkerState {
    CEvent start;             // automatic reset, not signalled
    CEvent done{FALSE, TRUE}; // manual reset
    std::atomic<int> ran{0};
    std::atomic<int> priority_seen{0};
    CWinThread* self_seen = nullptr;
};

UINT wait_then_work(LPVOID parameter) {
    auto* state = static_cast<WorkerState*>(parameter);
    state->start.Lock();
    state->self_seen = AfxGetThread();
    ++state->ran;
    state->done.SetEvent();
    return 5;
}

TEST(CWinThreadTest, WorkerRunsWhenReleasedAndDeletesItself) {
    WorkerState state;
    CWinThread* thread = AfxBeginThread(wait_then_work, &state);
    ASSERT_NE(thread, nullptr);
    EXPECT_FALSE(state.done.Lock(20)); // still waiting for the start event
    EXPECT_EQ(state.ran, 0);
    state.start.SetEvent();
    EXPECT_TRUE(state.done.Lock());
    EXPECT_EQ(state.ran, 1);
    EXPECT_EQ(state.self_seen, thread);
}

TEST(CWinThreadTest, KeptThreadObjectGivesTheExitCode) {
    WorkerState state;
    state.start.SetEvent();
    CWinThread* thread =
        AfxBeginThread(wait_then_work, &state, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 20), DWORD(WAIT_TIMEOUT)); // suspended
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 5u);
    delete thread;
}

UINT end_early(LPVOID parameter) {
    static_cast<WorkerState*>(parameter)->ran = 1;
    AfxEndThread(9, FALSE);
}

TEST(CWinThreadTest, AfxEndThreadEndsWithItsCode) {
    WorkerState state;
    CWinThread* thread =
        AfxBeginThread(end_early, &state, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 9u);
    EXPECT_EQ(state.ran, 1);
    delete thread;
}

TEST(CSyncObjectTest, EventsAutoAndManualReset) {
    CEvent automatic(TRUE);
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0));
    CEvent manual(FALSE, TRUE);
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));
}

struct Shared {
    CCriticalSection section;
    long total = 0; // guarded by section
};

UINT add_under_lock(LPVOID parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    for (int i = 0; i < 10000; ++i) {
        CSingleLock lock(&shared->section, TRUE);
        ++shared->total;
    }
    return 0;
}

TEST(CSyncObjectTest, SingleLockOnCriticalSectionSerialisesWorkers) {
    Shared shared;
    HANDLE handles[3];
    CWinThread* threads[3];
    for (int i = 0; i < 3; ++i) {
        threads[i] =
            AfxBeginThread(add_under_lock, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        threads[i]->m_bAutoDelete = FALSE;
        handles[i] = threads[i]->m_hThread;
        threads[i]->ResumeThread();
    }
    EXPECT_EQ(WaitForMultipleObjects(3, handles, TRUE, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(shared.total, 30000);
    for (CWinThread* thread : threads)
        delete thread;
}

TEST(CSyncObjectTest, SingleLockReleasesAtScopeEnd) {
    CEvent event(TRUE);
    {
        CSingleLock lock(&event);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock(0));
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock(0)); // already held: no second wait
    }
    EXPECT_FALSE(event.Lock(0)); // the automatic event's signal was taken once
}

} // namespace
