#include "script_driver.h"

#include "../user/input.h"
#include "atomic_file.h"
#include "png_writer.h"
#include "screen.h"
#include "window_dump.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mullion {

namespace {

using namespace std::chrono_literals;

constexpr auto idle_timeout = 2s;
constexpr auto find_window_timeout = 2s;
constexpr auto first_window_timeout = 10s;
constexpr auto wait_window_timeout = 5s;
constexpr auto exit_code_timeout = 10s;
constexpr int step_failed_status = 3;

struct TitleSearch {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK match_title(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<TitleSearch*>(search_address);
    if (!IsWindowVisible(window))
        return TRUE;
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    if (*search->title != text)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The topmost visible top-level window with that title.
HWND visible_window_titled(const std::string& title) {
    TitleSearch search{&title, nullptr};
    EnumWindows(match_title, LPARAM(&search));
    return search.found;
}

BOOL CALLBACK match_visible(HWND window, LPARAM found) {
    if (!IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK match_main_window(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND first_window(WNDENUMPROC match) {
    HWND found = nullptr;
    EnumWindows(match, LPARAM(&found));
    return found;
}

// The control with that id among the window's descendants, a visible one first.
HWND find_control(HWND parent, int id) {
    HWND hidden_match = nullptr;
    std::vector<HWND> pending{parent};
    while (!pending.empty()) {
        HWND window = pending.back();
        pending.pop_back();
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) == id) {
                if (IsWindowVisible(child))
                    return child;
                if (!hidden_match)
                    hidden_match = child;
            }
            pending.push_back(child);
        }
    }
    return hidden_match;
}

InputEvent mouse_event(InputEvent::Type type, POINT point,
                       InputEvent::Button button = InputEvent::Button::Left) {
    InputEvent event;
    event.type = type;
    event.position = point;
    event.button = button;
    return event;
}

} // namespace

ScriptDriver::ScriptDriver(Script script) : m_script(std::move(script)) {}

ScriptDriver::~ScriptDriver() {
    if (m_thread.joinable())
        m_thread.join();
}

void ScriptDriver::start() {
    m_thread = std::thread([this] { run(); });
}

void ScriptDriver::program_ended(int result) {
    {
        std::lock_guard guard(m_mutex);
        if (m_program_result)
            return;
        m_program_result = result;
    }
    m_condition.notify_all();
    Screen::instance().wake_change_waiters();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

bool ScriptDriver::has_ended() {
    std::lock_guard guard(m_mutex);
    return m_program_result.has_value();
}

void ScriptDriver::fail(const ScriptStep& step, const std::string& message) {
    std::fprintf(stderr, "script %s:%d: %s\n", m_script.file_name.c_str(), step.line,
                 message.c_str());
    std::fflush(nullptr);
    std::_Exit(step_failed_status);
}

template <class Condition>
bool ScriptDriver::wait_for_screen(Condition condition, std::chrono::milliseconds timeout) {
    Screen& screen = Screen::instance();
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        uint64_t seen = screen.change_count();
        if (condition())
            return true;
        if (has_ended() || !screen.wait_for_change(seen, deadline))
            return condition();
    }
}

void ScriptDriver::run() {
    for (const ScriptStep& step : m_script.steps) {
        if (has_ended() && step.kind != ScriptStep::Kind::ExitCode)
            continue;
        if (step.needs_window())
            wait_for_first_window();
        run_step(step);
        if (step.is_input())
            wait_until_idle(IdleKind::QueuesEmpty, idle_timeout);
    }
}

void ScriptDriver::wait_for_first_window() {
    if (m_first_window_seen)
        return;
    // Showing a window draws it, which wakes the wait; a program that never shows one gets
    // its steps anyway after the timeout. The program then finishes starting up (creating the
    // rest of its windows) before the first step acts.
    wait_for_screen([] { return first_window(match_visible) != nullptr; }, first_window_timeout);
    wait_until_idle(IdleKind::IdleStopped, idle_timeout);
    m_first_window_seen = true;
}

HWND ScriptDriver::find_window(const ScriptStep& step, const std::string& title) {
    HWND window = nullptr;
    wait_for_screen([&] { return (window = visible_window_titled(title)) != nullptr; },
                    find_window_timeout);
    if (!window)
        fail(step, "no visible window titled \"" + title + "\"");
    return window;
}

POINT ScriptDriver::resolve(const ScriptStep& step, const ScriptPosition& position) {
    switch (position.form) {
    case ScriptPosition::Form::Screen:
        return position.point;
    case ScriptPosition::Form::Client: {
        POINT point = position.point;
        ClientToScreen(find_window(step, position.title), &point);
        return point;
    }
    case ScriptPosition::Form::Control: {
        HWND control = find_control(find_window(step, position.title), position.control_id);
        if (!control)
            fail(step, "no control " + std::to_string(position.control_id) + " in \"" +
                           position.title + "\"");
        RECT rect{};
        GetWindowRect(control, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    }
    return position.point;
}

void ScriptDriver::send(const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events)
        inject_input(event);
}

void ScriptDriver::send_pointer(const ScriptStep& step) {
    using Type = InputEvent::Type;
    POINT point = resolve(step, step.position);
    // The pointer travels to the place before a button acts there, as a hand moves a mouse.
    std::vector<InputEvent> events{mouse_event(Type::MouseMove, point)};
    auto press = [&](Type type) { events.push_back(mouse_event(type, point, step.button)); };
    switch (step.kind) {
    case ScriptStep::Kind::Down:
        press(Type::ButtonDown);
        break;
    case ScriptStep::Kind::Up:
        press(Type::ButtonUp);
        break;
    case ScriptStep::Kind::Click:
        press(Type::ButtonDown);
        press(Type::ButtonUp);
        break;
    case ScriptStep::Kind::DoubleClick:
        for (int click = 0; click < 2; ++click) {
            press(Type::ButtonDown);
            press(Type::ButtonUp);
        }
        break;
    default:
        break;
    }
    send(events);
}

void ScriptDriver::put_on_clipboard(const ScriptStep& step) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, step.text.size() + 1);
    char* data = memory ? static_cast<char*>(GlobalLock(memory)) : nullptr;
    if (!data)
        fail(step, "clip: out of memory");
    std::memcpy(data, step.text.c_str(), step.text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        fail(step, "clip: the clipboard is in use");
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

void ScriptDriver::expect_exit_code(const ScriptStep& step) {
    std::unique_lock guard(m_mutex);
    if (!m_condition.wait_for(guard, exit_code_timeout,
                              [&] { return m_program_result.has_value(); }))
        fail(step, "exit-code: the program did not end within 10 seconds");
    if (*m_program_result != step.number)
        fail(step, "exit-code: the program ended with " + std::to_string(*m_program_result) +
                       ", expected " + std::to_string(step.number));
}

void ScriptDriver::close_main_window() {
    if (HWND main_window = first_window(match_main_window))
        PostMessageA(main_window, WM_CLOSE, 0, 0);
}

void ScriptDriver::run_step(const ScriptStep& step) {
    using Kind = ScriptStep::Kind;
    std::string error;
    switch (step.kind) {
    case Kind::Move:
    case Kind::Down:
    case Kind::Up:
    case Kind::Click:
    case Kind::DoubleClick:
        send_pointer(step);
        break;
    case Kind::Key:
        send(step.key.events());
        break;
    case Kind::Type:
        for (std::string_view character : split_utf8_characters(step.text))
            send(key_stroke_for_character(character).events());
        break;
    case Kind::Idle:
        // Not a failure: a program may rightly keep asking for idle time (polling), but a
        // script's author wants to know that the wait ran out.
        if (!wait_until_idle(IdleKind::IdleStopped, idle_timeout))
            std::fprintf(stderr,
                         "script %s:%d: idle: the program still asks for idle time after 2 s\n",
                         m_script.file_name.c_str(), step.line);
        break;
    case Kind::Sleep: {
        std::unique_lock guard(m_mutex);
        m_condition.wait_for(guard, std::chrono::milliseconds(step.number),
                             [&] { return m_program_result.has_value(); });
        break;
    }
    case Kind::Shot:
        wait_until_idle(IdleKind::QueuesEmpty, idle_timeout);
        if (!write_screen_snapshot(step.text, error))
            fail(step, "shot: " + error);
        break;
    case Kind::Dump:
        wait_until_idle(IdleKind::QueuesEmpty, idle_timeout);
        if (!AtomicFile::write(step.text, dump_windows_json(), error))
            fail(step, "dump: " + error);
        break;
    case Kind::Clip:
        put_on_clipboard(step);
        break;
    case Kind::Drop:
        std::fprintf(stderr, "script %s:%d: drop: dropping files is not supported\n",
                     m_script.file_name.c_str(), step.line);
        break;
    case Kind::WaitWindow:
        if (!wait_for_screen([&] { return visible_window_titled(step.text) != nullptr; },
                             wait_window_timeout))
            fail(step,
                 "wait-window: no visible window titled \"" + step.text + "\" within 5 seconds");
        break;
    case Kind::ExitCode:
        expect_exit_code(step);
        break;
    case Kind::Quit:
        std::fflush(nullptr);
        std::_Exit(0);
    case Kind::CloseMainWindow:
        close_main_window();
        break;
    }
}

} // namespace mullion
