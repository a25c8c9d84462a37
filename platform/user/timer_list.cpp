#include "timer_list.h"

#include <algorithm>
#include <atomic>

namespace mullion {

namespace {
// Limits of a timer's interval, as SetTimer clamps them.
constexpr UINT minimum_interval = 0x0000000A;
constexpr UINT maximum_interval = 0x7FFFFFFF;

// Identifiers of thread timers are unique in the process.
std::atomic<UINT_PTR> g_next_thread_timer_id{1};
} // namespace

TimerList::Timer* TimerList::find(HWND hwnd, UINT_PTR id) {
    auto found = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& timer) {
        return timer.hwnd == hwnd && timer.id == id;
    });
    return found == m_timers.end() ? nullptr : &*found;
}

UINT_PTR TimerList::set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC procedure, TimePoint now) {
    const std::chrono::milliseconds interval(
        std::clamp(elapse, minimum_interval, maximum_interval));
    Timer* timer = (hwnd || id != 0) ? find(hwnd, id) : nullptr;
    if (!timer) {
        if (!hwnd) {
            do
                id = g_next_thread_timer_id.fetch_add(1, std::memory_order_relaxed);
            while (id == 0 || find(nullptr, id));
        }
        timer = &m_timers.emplace_back();
        timer->hwnd = hwnd;
        timer->id = id;
    }
    timer->interval = interval;
    timer->procedure = procedure;
    timer->due = now + interval;
    return id;
}

bool TimerList::kill(HWND hwnd, UINT_PTR id) {
    auto removed = std::remove_if(m_timers.begin(), m_timers.end(), [&](const Timer& timer) {
        return timer.hwnd == hwnd && timer.id == id;
    });
    const bool found = removed != m_timers.end();
    m_timers.erase(removed, m_timers.end());
    return found;
}

void TimerList::remove_window(HWND hwnd) {
    std::erase_if(m_timers, [&](const Timer& timer) { return timer.hwnd == hwnd; });
}

void TimerList::rearm(HWND hwnd, UINT_PTR id, TimePoint now) {
    if (Timer* timer = find(hwnd, id))
        timer->due = now + timer->interval;
}

bool TimerList::has_procedure(HWND hwnd, UINT_PTR id, TIMERPROC procedure) const {
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const Timer& timer) {
        return timer.hwnd == hwnd && timer.id == id && timer.procedure == procedure;
    });
}

} // namespace mullion
