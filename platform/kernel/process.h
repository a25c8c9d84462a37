#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// What the process knows about itself: the command line it was started with and how it ends.
class Process {
public:
    static Process& instance();

    // Records the arguments main() received; until then they are read from the system.
    void set_arguments(std::vector<std::string> arguments);
    // The whole command line (program and arguments), as GetCommandLineA returns it.
    char* command_line();
    // The arguments after the program's name, as WinMain's lpCmdLine receives them.
    std::string arguments_line();
    // The program's file name without directory or extension.
    std::string program_name();

    // Called by ExitProcess with the program's exit code before the process ends; returns the
    // exit status the process should end with (the scripted driver may replace it).
    void set_exit_hook(std::function<int(int)> hook);
    [[noreturn]] void exit(int exit_code);

private:
    Process() = default;
    void load_arguments_locked();

    std::mutex m_mutex;
    bool m_arguments_known = false;
    std::vector<std::string> m_arguments;
    std::string m_command_line;
    std::function<int(int)> m_exit_hook;
};

// Joins arguments into one command line: an argument that is empty or holds a space, a tab or
// a quote is put in quotes, with quotes and the backslashes before them escaped so that the
// line splits back into the same arguments.
std::string join_command_line(const std::vector<std::string>& arguments);

} // namespace mullion
