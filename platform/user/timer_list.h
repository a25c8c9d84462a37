#pragma once

#include "windows.h"

#include <chrono>
#include <optional>
#include <vector>

namespace mullion {

// The timers of one thread (SetTimer). A timer does not queue WM_TIMER messages: the queue
// generates one when the timer is due and nothing else is waiting, then schedules the next.
class TimerList {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    struct Timer {
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        std::chrono::milliseconds interval{0};
        TIMERPROC procedure = nullptr;
        TimePoint due;
    };

    // Creates or resets a timer; returns its identifier (a new one for a thread timer that
    // replaces none).
    UINT_PTR set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC procedure, TimePoint now);
    bool kill(HWND hwnd, UINT_PTR id);
    void remove_window(HWND hwnd);
    // The earliest timer due at `now` that `accepts` takes; null when none.
    template <class Predicate> const Timer* first_due(TimePoint now, Predicate&& accepts) const {
        const Timer* first = nullptr;
        for (const Timer& timer : m_timers) {
            if (timer.due <= now && (!first || timer.due < first->due) && accepts(timer))
                first = &timer;
        }
        return first;
    }
    // The earliest due time of a timer that `accepts` takes.
    template <class Predicate> std::optional<TimePoint> next_due(Predicate&& accepts) const {
        std::optional<TimePoint> next;
        for (const Timer& timer : m_timers) {
            if ((!next || timer.due < *next) && accepts(timer))
                next = timer.due;
        }
        return next;
    }
    // The timer fired: it is due again one interval from now.
    void rearm(HWND hwnd, UINT_PTR id, TimePoint now);
    // Whether a WM_TIMER's lParam names this timer's procedure (DispatchMessage calls only
    // procedures that were really given to SetTimer).
    bool has_procedure(HWND hwnd, UINT_PTR id, TIMERPROC procedure) const;
    bool empty() const { return m_timers.empty(); }

private:
    Timer* find(HWND hwnd, UINT_PTR id);
    std::vector<Timer> m_timers;
};

} // namespace mullion
