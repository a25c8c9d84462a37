// GetCommandLineA, GetStartupInfoA, ExitProcess and OutputDebugStringA.
#include "process.h"

#include "windows.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace mullion {

Process& Process::instance() {
    static Process process;
    return process;
}

void Process::set_arguments(std::vector<std::string> arguments) {
    std::lock_guard guard(m_mutex);
    m_arguments = std::move(arguments);
    m_command_line = join_command_line(m_arguments);
    m_arguments_known = true;
}

void Process::load_arguments_locked() {
    if (m_arguments_known)
        return;
    // Inside the test programs main() is not ours: the kernel keeps the arguments.
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        m_arguments.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    m_command_line = join_command_line(m_arguments);
    m_arguments_known = true;
}

char* Process::command_line() {
    std::lock_guard guard(m_mutex);
    load_arguments_locked();
    return m_command_line.data();
}

std::string Process::arguments_line() {
    std::lock_guard guard(m_mutex);
    load_arguments_locked();
    if (m_arguments.size() < 2)
        return {};
    return join_command_line({m_arguments.begin() + 1, m_arguments.end()});
}

std::string Process::program_name() {
    std::lock_guard guard(m_mutex);
    load_arguments_locked();
    if (m_arguments.empty())
        return "mullion";
    std::string name = m_arguments.front();
    if (size_t slash = name.find_last_of('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

void Process::set_exit_hook(std::function<int(int)> hook) {
    std::lock_guard guard(m_mutex);
    m_exit_hook = std::move(hook);
}

void Process::exit(int exit_code) {
    std::function<int(int)> hook;
    {
        std::lock_guard guard(m_mutex);
        hook = std::move(m_exit_hook);
    }
    int status = hook ? hook(exit_code) : exit_code;
    std::fflush(nullptr);
    // Other threads may still be running: static objects are not torn down under them.
    std::_Exit(status);
}

std::string join_command_line(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
            line += argument;
            continue;
        }
        line += '"';
        size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes are literal except before a quote, where each is doubled.
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

} // namespace mullion

using mullion::Process;

LPSTR WINAPI GetCommandLineA(void) {
    return Process::instance().command_line();
}

void WINAPI GetStartupInfoA(LPSTARTUPINFOA lpStartupInfo) {
    if (!lpStartupInfo)
        return;
    *lpStartupInfo = STARTUPINFOA{};
    lpStartupInfo->cb = sizeof(STARTUPINFOA);
    lpStartupInfo->dwFlags = STARTF_USESHOWWINDOW;
    lpStartupInfo->wShowWindow = SW_SHOWNORMAL;
}

void WINAPI ExitProcess(UINT uExitCode) {
    Process::instance().exit(int(uExitCode));
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    static const bool enabled = std::getenv("MULLION_DEBUG") != nullptr;
    if (enabled && lpOutputString)
        std::fputs(lpOutputString, stderr);
}
