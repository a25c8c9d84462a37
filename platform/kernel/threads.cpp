// CreateThread, ExitThread, GetExitCodeThread, ResumeThread, thread priorities and
// GetCurrentThread.
#include "thread_identity.h"
#include "thread_object.h"
#include "thread_observer.h"

#include <memory>
#include <pthread.h>

namespace mullion {
namespace {

// Marks the running CreateThread thread as ended. It is a thread-local object created when
// the thread starts, so its destructor runs after every thread-local object the thread made
// later (its message queue among them): waiters on the thread handle see it fully gone.
class ThreadEnd {
public:
    ~ThreadEnd() {
        if (m_thread)
            m_thread->finish(m_exit_code);
    }
    void attach(std::shared_ptr<ThreadObject> thread) { m_thread = std::move(thread); }
    bool attached() const { return m_thread != nullptr; }
    void set_exit_code(DWORD exit_code) { m_exit_code = exit_code; }

private:
    std::shared_ptr<ThreadObject> m_thread;
    DWORD m_exit_code = 0;
};

thread_local ThreadEnd t_thread_end;

ThreadObserver g_observer;

void* thread_entry(void* argument) {
    std::unique_ptr<std::shared_ptr<ThreadObject>> thread(
        static_cast<std::shared_ptr<ThreadObject>*>(argument));
    adopt_thread_id((*thread)->thread_id());
    t_thread_end.attach(*thread);
    if (g_observer.started)
        g_observer.started();
    (*thread)->run();
    return nullptr;
}

// Below this the C++ runtime's own frames may not fit; smaller requests get the default.
constexpr size_t minimum_stack_size = 1024 * 1024;

} // namespace

void set_thread_observer(const ThreadObserver& observer) {
    g_observer = observer;
}

DWORD ThreadObject::exit_code() const {
    std::lock_guard lock(state_mutex());
    return m_exit_code;
}

DWORD ThreadObject::resume() {
    std::lock_guard lock(state_mutex());
    const DWORD previous = m_suspend_count;
    if (m_suspend_count > 0 && --m_suspend_count == 0)
        notify_state_changed_locked();
    return previous;
}

int ThreadObject::priority() const {
    std::lock_guard lock(state_mutex());
    return m_priority;
}

void ThreadObject::set_priority(int priority) {
    std::lock_guard lock(state_mutex());
    m_priority = priority;
}

void ThreadObject::run() {
    {
        std::unique_lock lock(state_mutex());
        state_changed().wait(lock, [this] { return m_suspend_count == 0; });
    }
    t_thread_end.set_exit_code(m_start(m_parameter));
}

void ThreadObject::finish(DWORD exit_code) {
    std::lock_guard lock(state_mutex());
    m_exit_code = exit_code;
    m_finished = true;
    notify_state_changed_locked();
}

} // namespace mullion

using namespace mullion;

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                           DWORD dwCreationFlags, LPDWORD lpThreadId) {
    if (!lpStartAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const DWORD thread_id = allocate_thread_id();
    auto thread = std::make_shared<ThreadObject>(lpStartAddress, lpParameter, thread_id,
                                                 (dwCreationFlags & CREATE_SUSPENDED) != 0);
    HANDLE handle = HandleTable::instance().insert(thread);
    if (g_observer.created)
        g_observer.created(thread_id);

    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    if (dwStackSize > minimum_stack_size)
        pthread_attr_setstacksize(&attributes, dwStackSize);
    auto* argument = new std::shared_ptr<ThreadObject>(thread);
    pthread_t native;
    const int result = pthread_create(&native, &attributes, thread_entry, argument);
    pthread_attr_destroy(&attributes);
    if (result != 0) {
        delete argument;
        HandleTable::instance().remove(handle);
        if (g_observer.abandoned)
            g_observer.abandoned(thread_id);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpThreadId)
        *lpThreadId = thread_id;
    return handle;
}

void WINAPI ExitThread(DWORD dwExitCode) {
    t_thread_end.set_exit_code(dwExitCode);
    // Unwinds the thread's stack, running destructors, then ends the thread.
    pthread_exit(nullptr);
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto thread = HandleTable::instance().get<ThreadObject>(hThread);
    if (!thread || !lpExitCode) {
        SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = thread->exit_code();
    return TRUE;
}

DWORD WINAPI ResumeThread(HANDLE hThread) {
    auto thread = HandleTable::instance().get<ThreadObject>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return DWORD(-1);
    }
    return thread->resume();
}

// The host scheduler runs every thread at one priority; the value is kept so that it reads
// back as it was set.
BOOL WINAPI SetThreadPriority(HANDLE hThread, int nPriority) {
    auto thread = HandleTable::instance().get<ThreadObject>(hThread);
    if (!thread) {
        if (hThread == GetCurrentThread())
            return TRUE;
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    thread->set_priority(nPriority);
    return TRUE;
}

int WINAPI GetThreadPriority(HANDLE hThread) {
    auto thread = HandleTable::instance().get<ThreadObject>(hThread);
    if (!thread) {
        if (hThread == GetCurrentThread())
            return THREAD_PRIORITY_NORMAL;
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return thread->priority();
}

HANDLE WINAPI GetCurrentThread(void) {
    // The pseudo-handle that always means the calling thread.
    return reinterpret_cast<HANDLE>(LONG_PTR(-2));
}
