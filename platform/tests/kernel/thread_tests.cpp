// CreateThread, thread handles as waitable objects, exit codes, suspension, critical sections.
#include "windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

DWORD WINAPI return_parameter(LPVOID parameter) {
    return DWORD(reinterpret_cast<ULONG_PTR>(parameter));
}

TEST(ThreadTest, HandleSignalsWhenThreadEndsWithItsExitCode) {
    DWORD id = 0;
    HANDLE thread =
        CreateThread(nullptr, 0, return_parameter, reinterpret_cast<LPVOID>(42), 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    // An ended thread stays signalled.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(thread));
}

struct Gate {
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD seen_id = 0;
    ~Gate() { CloseHandle(release); }
};

DWORD WINAPI wait_for_gate(LPVOID parameter) {
    auto* gate = static_cast<Gate*>(parameter);
    gate->seen_id = GetCurrentThreadId();
    WaitForSingleObject(gate->release, INFINITE);
    return 7;
}

TEST(ThreadTest, RunningThreadReportsStillActiveAndKnowsItsId) {
    Gate gate;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &gate, 0, &id);
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, DWORD(STILL_ACTIVE));
    SetEvent(gate.release);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(gate.seen_id, id);
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
}

TEST(ThreadTest, SuspendedThreadRunsOnlyAfterResume) {
    Gate gate;
    SetEvent(gate.release);
    HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &gate, CREATE_SUSPENDED, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 30), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(gate.seen_id, 0u);
    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_NE(gate.seen_id, 0u);
    EXPECT_EQ(ResumeThread(thread), 0u);
    CloseHandle(thread);
}

struct Unwound {
    bool* flag;
    ~Unwound() { *flag = true; }
};

DWORD WINAPI exit_early(LPVOID parameter) {
    Unwound guard{static_cast<bool*>(parameter)};
    ExitThread(99);
}

TEST(ThreadTest, ExitThreadEndsWithItsCodeAndUnwinds) {
    bool unwound = false;
    HANDLE thread = CreateThread(nullptr, 0, exit_early, &unwound, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 99u);
    EXPECT_TRUE(unwound);
    CloseHandle(thread);
}

DWORD WINAPI set_and_report_error(LPVOID) {
    SetLastError(ERROR_ACCESS_DENIED);
    return GetLastError();
}

TEST(ThreadTest, LastErrorIsPerThread) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    HANDLE thread = CreateThread(nullptr, 0, set_and_report_error, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST(ThreadTest, PriorityReadsBackAndBadHandlesFail) {
    Gate gate;
    HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &gate, 0, nullptr);
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
    EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL));
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_BELOW_NORMAL);
    SetEvent(gate.release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

struct Counter {
    CRITICAL_SECTION section;
    long long value = 0; // deliberately not atomic: the section is what keeps it consistent
};

DWORD WINAPI add_many(LPVOID parameter) {
    auto* counter = static_cast<Counter*>(parameter);
    for (int i = 0; i < 20000; ++i) {
        EnterCriticalSection(&counter->section);
        EnterCriticalSection(&counter->section); // re-entry by the owner does not block
        ++counter->value;
        LeaveCriticalSection(&counter->section);
        LeaveCriticalSection(&counter->section);
    }
    return 0;
}

TEST(CriticalSectionTest, SerialisesThreadsAndAllowsReentry) {
    Counter counter;
    InitializeCriticalSection(&counter.section);
    HANDLE threads[4];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, add_many, &counter, 0, nullptr);
    EXPECT_EQ(WaitForMultipleObjects(4, threads, TRUE, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(counter.value, 4 * 20000);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    DeleteCriticalSection(&counter.section);
}

DWORD WINAPI try_enter(LPVOID parameter) {
    auto* section = static_cast<CRITICAL_SECTION*>(parameter);
    if (!TryEnterCriticalSection(section))
        return 0;
    LeaveCriticalSection(section);
    return 1;
}

TEST(CriticalSectionTest, TryEnterFailsWhileAnotherThreadOwnsIt) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section)); // the owner may always re-enter
    HANDLE thread = CreateThread(nullptr, 0, try_enter, &section, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 2;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    thread = CreateThread(nullptr, 0, try_enter, &section, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 1u);
    DeleteCriticalSection(&section);
}

} // namespace
