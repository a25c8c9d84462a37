#include "program_session.h"

#include "../user/message_queue_registry.h"

#include "../kernel/process.h"
#include "screen.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace mullion {

namespace {

constexpr int script_error_status = 2;

[[noreturn]] void script_error(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(nullptr);
    std::_Exit(script_error_status);
}

// The script MULLION_SCRIPT names, or the snapshot run MULLION_SNAPSHOT asks for.
std::unique_ptr<ScriptDriver> driver_from_environment() {
    const char* script_path = std::getenv("MULLION_SCRIPT");
    const char* snapshot_path = std::getenv("MULLION_SNAPSHOT");
    if (script_path && *script_path) {
        std::ifstream file(script_path, std::ios::binary);
        if (!file)
            script_error(std::string("script ") + script_path + ": cannot be read");
        std::stringstream text;
        text << file.rdbuf();
        ScriptParseResult parsed = parse_script(text.str(), script_path);
        if (parsed.error)
            script_error("script " + std::string(script_path) + ":" +
                         std::to_string(parsed.error->line) + ": " + parsed.error->message);
        return std::make_unique<ScriptDriver>(std::move(parsed.script));
    }
    if (snapshot_path && *snapshot_path)
        return std::make_unique<ScriptDriver>(snapshot_script(snapshot_path));
    return nullptr;
}

} // namespace

ProgramSession::ProgramSession(int argc, char** argv) {
    Process& process = Process::instance();
    process.set_arguments(std::vector<std::string>(argv, argv + argc));
    m_driver = driver_from_environment();

    Screen::instance();
    m_presenter = &choose_presenter_from_environment();
    std::string error;
    if (!m_presenter->start(process.program_name(), error)) {
        std::fprintf(stderr, "%s display unavailable (%s); running headless\n", m_presenter->name,
                     error.c_str());
        m_presenter = &headless_presenter;
        m_presenter->start(process.program_name(), error);
    }
    process.set_exit_hook([this](int result) { return finish(result); });
    if (m_driver)
        m_driver->start();
}

ProgramSession::~ProgramSession() {
    finish(0);
}

std::string ProgramSession::arguments_line() const {
    return Process::instance().arguments_line();
}

int ProgramSession::finish(int result) {
    if (m_finished.exchange(true))
        return result;
    MessageQueueRegistry::instance().retire_current_thread_queue();
    if (m_driver)
        m_driver->program_ended(result);
    m_presenter->stop();
    return result;
}

} // namespace mullion
