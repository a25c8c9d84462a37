#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mullion::testing {

// The outcome of running one program of the disk to its end.
struct ProgramResult {
    int exit_status = -1; // the process's exit status, or -1 when it was killed
    bool timed_out = false;
    std::string output; // standard output and standard error together
};

// Runs a built program headless with a script of driver steps, in a scratch directory that
// the script's relative `shot` and `dump` files land in. The program is killed after the
// timeout.
class ProgramRun {
public:
    explicit ProgramRun(std::string program);

    ProgramRun& environment(const std::string& name, const std::string& value);
    ProgramRun& arguments(std::vector<std::string> args);
    ProgramResult run_script(const std::string& script,
                             std::chrono::seconds timeout = std::chrono::seconds(60));

    const std::filesystem::path& directory() const { return m_directory; }
    std::filesystem::path file(const std::string& name) const { return m_directory / name; }

    // The directory holding the built programs (MULLION_PROGRAM_DIR, set by the build).
    static std::filesystem::path program_directory();

private:
    std::string m_program;
    std::vector<std::string> m_arguments;
    std::map<std::string, std::string> m_environment;
    std::filesystem::path m_directory;
};

} // namespace mullion::testing
