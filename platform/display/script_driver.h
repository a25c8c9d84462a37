#pragma once

#include "script.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace mullion {

// Runs a script's steps against the running program on a thread of its own. Steps that act on
// windows first wait until the program shows its first top-level window. A step that cannot be
// carried out ends the process with status 3, after a message naming the script's line.
class ScriptDriver {
public:
    explicit ScriptDriver(Script script);
    ~ScriptDriver();
    ScriptDriver(const ScriptDriver&) = delete;
    ScriptDriver& operator=(const ScriptDriver&) = delete;

    void start();
    // The program has ended with `result`: the remaining exit-code steps check it (the others
    // have nothing left to act on), and the call returns once the driver has finished.
    void program_ended(int result);

private:
    void run();
    void run_step(const ScriptStep& step);
    [[noreturn]] void fail(const ScriptStep& step, const std::string& message);
    bool has_ended();
    // Waits until `condition` holds, re-checking whenever the screen changes (windows appear,
    // are retitled or go away by drawing); false on timeout or when the program ended first.
    template <class Condition>
    bool wait_for_screen(Condition condition, std::chrono::milliseconds timeout);

    void wait_for_first_window();
    HWND find_window(const ScriptStep& step, const std::string& title);
    POINT resolve(const ScriptStep& step, const ScriptPosition& position);
    void send(const std::vector<InputEvent>& events);
    void send_pointer(const ScriptStep& step);
    void put_on_clipboard(const ScriptStep& step);
    void expect_exit_code(const ScriptStep& step);
    void close_main_window();

    Script m_script;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_condition;
    std::optional<int> m_program_result;
    bool m_first_window_seen = false;
};

} // namespace mullion
