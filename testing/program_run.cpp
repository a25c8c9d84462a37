#include "program_run.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mullion::testing {

namespace {
std::filesystem::path make_scratch_directory(const std::string& program) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("mullion-" + program + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory: " +
                                 std::string(strerror(errno)));
    return pattern;
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

ProgramRun::ProgramRun(std::string program)
    : m_program(std::move(program)), m_directory(make_scratch_directory(m_program)) {
    m_environment["MULLION_DISPLAY"] = "headless";
    m_environment["XDG_DATA_HOME"] = (m_directory / "data").string();
    m_environment["XDG_CONFIG_HOME"] = (m_directory / "config").string();
}

ProgramRun& ProgramRun::environment(const std::string& name, const std::string& value) {
    m_environment[name] = value;
    return *this;
}

ProgramRun& ProgramRun::arguments(std::vector<std::string> args) {
    m_arguments = std::move(args);
    return *this;
}

std::filesystem::path ProgramRun::program_directory() {
    const char* dir = std::getenv("MULLION_PROGRAM_DIR");
    if (!dir)
        throw std::runtime_error("MULLION_PROGRAM_DIR is not set");
    return dir;
}

ProgramResult ProgramRun::run_script(const std::string& script, std::chrono::seconds timeout) {
    const auto script_path = m_directory / "steps.script";
    std::ofstream(script_path) << script;
    const auto output_path = m_directory / "output.txt";
    const std::string executable = (program_directory() / m_program).string();

    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!m_environment.count(name) && name != "DISPLAY" && name != "WAYLAND_DISPLAY" &&
            name != "MULLION_SCRIPT" && name != "MULLION_SNAPSHOT")
            env_strings.push_back(entry);
    }
    for (const auto& [name, value] : m_environment)
        env_strings.push_back(name + "=" + value);
    env_strings.push_back("MULLION_SCRIPT=" + script_path.string());

    std::vector<char*> argv{const_cast<char*>(executable.c_str())};
    for (auto& arg : m_arguments)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& entry : env_strings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int fd = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, 1);
        dup2(fd, 2);
        if (chdir(m_directory.c_str()) != 0)
            _exit(126);
        execve(executable.c_str(), argv.data(), envp.data());
        _exit(127);
    }

    ProgramResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    // The child is reaped with a blocking wait on a helper thread; this thread sleeps until
    // either the child ends or the deadline passes.
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread waiter([&] {
        waitpid(pid, &status, 0);
        std::lock_guard lock(mutex);
        done = true;
        ended.notify_all();
    });
    {
        std::unique_lock lock(mutex);
        if (!ended.wait_until(lock, deadline, [&] { return done; })) {
            result.timed_out = true;
            kill(pid, SIGKILL);
        }
    }
    waiter.join();
    if (WIFEXITED(status))
        result.exit_status = WEXITSTATUS(status);
    result.output = read_file(output_path);
    return result;
}

} // namespace mullion::testing
