#pragma once

#include "presenter.h"
#include "script_driver.h"

#include <atomic>
#include <memory>
#include <string>

namespace mullion {

// Everything around a program's WinMain: the screen and its presenter, and the scripted driver
// or the snapshot run that MULLION_SCRIPT or MULLION_SNAPSHOT ask for. A script that cannot be
// read or parsed ends the process with status 2 before the program starts.
class ProgramSession {
public:
    ProgramSession(int argc, char** argv);
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    // WinMain's lpCmdLine: the arguments after the program's name.
    std::string arguments_line() const;
    // The program ended with `result` (WinMain returned or ExitProcess was called): lets the
    // driver finish, stops the presenter, and returns the process's exit status.
    int finish(int result);

private:
    const Presenter* m_presenter = nullptr;
    std::unique_ptr<ScriptDriver> m_driver;
    std::atomic<bool> m_finished{false};
};

} // namespace mullion
