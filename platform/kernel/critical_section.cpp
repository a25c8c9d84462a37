// InitializeCriticalSection, EnterCriticalSection, TryEnterCriticalSection,
// LeaveCriticalSection and DeleteCriticalSection. The lock lives in the caller's structure:
// LockCount is the lock word (0 free, 1 held, 2 held with threads waiting), OwningThread
// the owner's thread id and RecursionCount how often the owner entered it. Waiting threads
// block on the lock word, never spin.
#include "windows.h"

#include <atomic>

namespace {

enum LockWord : LONG { Free = 0, Held = 1, Contended = 2 };

std::atomic_ref<LONG> lock_word(LPCRITICAL_SECTION section) {
    return std::atomic_ref<LONG>(section->LockCount);
}

std::atomic_ref<HANDLE> owner(LPCRITICAL_SECTION section) {
    return std::atomic_ref<HANDLE>(section->OwningThread);
}

HANDLE current_owner_value() {
    return reinterpret_cast<HANDLE>(ULONG_PTR(GetCurrentThreadId()));
}

// Only the owner itself can find its own id in OwningThread, so the relaxed read is exact.
bool owned_by_caller(LPCRITICAL_SECTION section) {
    return owner(section).load(std::memory_order_relaxed) == current_owner_value();
}

void take_ownership(LPCRITICAL_SECTION section) {
    owner(section).store(current_owner_value(), std::memory_order_relaxed);
    section->RecursionCount = 1;
}

} // namespace

extern "C" {

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    *lpCriticalSection = CRITICAL_SECTION{};
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    if (owned_by_caller(lpCriticalSection)) {
        ++lpCriticalSection->RecursionCount;
        return;
    }
    auto word = lock_word(lpCriticalSection);
    LONG expected = Free;
    if (!word.compare_exchange_strong(expected, Held, std::memory_order_acquire)) {
        // Announce a waiter, then sleep until the lock word changes.
        while (word.exchange(Contended, std::memory_order_acquire) != Free)
            word.wait(Contended, std::memory_order_relaxed);
    }
    take_ownership(lpCriticalSection);
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    if (owned_by_caller(lpCriticalSection)) {
        ++lpCriticalSection->RecursionCount;
        return TRUE;
    }
    LONG expected = Free;
    if (!lock_word(lpCriticalSection)
             .compare_exchange_strong(expected, Held, std::memory_order_acquire))
        return FALSE;
    take_ownership(lpCriticalSection);
    return TRUE;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    // Leaving a section the caller does not hold is a program error; it is ignored rather
    // than allowed to release another thread's lock.
    if (!owned_by_caller(lpCriticalSection))
        return;
    if (--lpCriticalSection->RecursionCount > 0)
        return;
    owner(lpCriticalSection).store(nullptr, std::memory_order_relaxed);
    auto word = lock_word(lpCriticalSection);
    if (word.exchange(Free, std::memory_order_release) == Contended)
        word.notify_one();
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    *lpCriticalSection = CRITICAL_SECTION{};
}

} // extern "C"
