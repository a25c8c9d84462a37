#include "script.h"

#include <cctype>
#include <charconv>

namespace mullion {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t';
}

void skip_spaces(std::string_view& text) {
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
}

std::string_view trim(std::string_view text) {
    skip_spaces(text);
    while (!text.empty() && (is_space(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view take_word(std::string_view& text) {
    skip_spaces(text);
    size_t end = 0;
    while (end < text.size() && !is_space(text[end]))
        ++end;
    std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::optional<int> to_int(std::string_view word) {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// Reads the parts of one line, remembering what went wrong first.
class LineParser {
public:
    explicit LineParser(std::string_view rest) : m_rest(rest) {}

    std::string_view rest() const { return m_rest; }
    const std::optional<std::string>& error() const { return m_error; }
    void fail(std::string message) {
        if (!m_error)
            m_error = std::move(message);
    }

    int integer(std::string_view what) {
        std::string_view word = take_word(m_rest);
        if (word.empty()) {
            fail("missing " + std::string(what));
            return 0;
        }
        auto value = to_int(word);
        if (!value)
            fail(std::string(what) + " \"" + std::string(word) + "\" is not a number");
        return value.value_or(0);
    }

    // "TEXT" with \" and \\ escapes.
    std::string quoted() {
        std::string text;
        m_rest.remove_prefix(1);
        while (!m_rest.empty() && m_rest.front() != '"') {
            if (m_rest.front() == '\\' && m_rest.size() > 1)
                m_rest.remove_prefix(1);
            text += m_rest.front();
            m_rest.remove_prefix(1);
        }
        if (m_rest.empty())
            fail("missing closing quote");
        else
            m_rest.remove_prefix(1);
        return text;
    }

    ScriptPosition position() {
        ScriptPosition position;
        skip_spaces(m_rest);
        if (m_rest.empty()) {
            fail("missing position");
            return position;
        }
        if (m_rest.front() == '"') {
            position.title = quoted();
            if (!m_rest.empty() && m_rest.front() == '#') {
                m_rest.remove_prefix(1);
                position.form = ScriptPosition::Form::Control;
                position.control_id = integer("control id");
                return position;
            }
            position.form = ScriptPosition::Form::Client;
        }
        position.point.x = integer("x coordinate");
        position.point.y = integer("y coordinate");
        return position;
    }

    InputEvent::Button button() {
        std::string_view word = take_word(m_rest);
        if (word.empty() || word == "left")
            return InputEvent::Button::Left;
        if (word == "right")
            return InputEvent::Button::Right;
        fail("button \"" + std::string(word) + "\" is not left or right");
        return InputEvent::Button::Left;
    }

    // What remains of the line, which must not be empty.
    std::string remainder(std::string_view what) {
        std::string_view text = trim(m_rest);
        m_rest = {};
        if (text.empty())
            fail("missing " + std::string(what));
        return std::string(text);
    }

    void expect_end() {
        skip_spaces(m_rest);
        if (!m_rest.empty() && m_rest.front() != '\r')
            fail("unexpected \"" + std::string(trim(m_rest)) + "\"");
    }

private:
    std::string_view m_rest;
    std::optional<std::string> m_error;
};

struct StepKeyword {
    std::string_view word;
    ScriptStep::Kind kind;
};

constexpr StepKeyword step_keywords[] = {
    {"move", ScriptStep::Kind::Move},
    {"down", ScriptStep::Kind::Down},
    {"up", ScriptStep::Kind::Up},
    {"click", ScriptStep::Kind::Click},
    {"dblclick", ScriptStep::Kind::DoubleClick},
    {"key", ScriptStep::Kind::Key},
    {"type", ScriptStep::Kind::Type},
    {"idle", ScriptStep::Kind::Idle},
    {"sleep", ScriptStep::Kind::Sleep},
    {"shot", ScriptStep::Kind::Shot},
    {"dump", ScriptStep::Kind::Dump},
    {"clip", ScriptStep::Kind::Clip},
    {"drop", ScriptStep::Kind::Drop},
    {"wait-window", ScriptStep::Kind::WaitWindow},
    {"exit-code", ScriptStep::Kind::ExitCode},
    {"quit", ScriptStep::Kind::Quit},
};

// Parses the arguments of one step; `rest` is the line after its keyword.
void parse_arguments(ScriptStep& step, LineParser& parser) {
    using Kind = ScriptStep::Kind;
    switch (step.kind) {
    case Kind::Move:
    case Kind::DoubleClick:
        step.position = parser.position();
        break;
    case Kind::Down:
    case Kind::Up:
    case Kind::Click:
        step.position = parser.position();
        step.button = parser.button();
        break;
    case Kind::Key: {
        std::string spec = parser.remainder("key");
        if (auto stroke = parse_key_spec(spec))
            step.key = *stroke;
        else if (!spec.empty())
            parser.fail("unknown key \"" + spec + "\"");
        break;
    }
    case Kind::Type: {
        // The text is the rest of the line as written, after the one separating blank.
        std::string_view rest = parser.rest();
        if (!rest.empty() && is_space(rest.front()))
            rest.remove_prefix(1);
        if (!rest.empty() && rest.back() == '\r')
            rest.remove_suffix(1);
        if (rest.empty())
            parser.fail("missing text");
        step.text = std::string(rest);
        return;
    }
    case Kind::Sleep:
        step.number = parser.integer("milliseconds");
        if (step.number < 0)
            parser.fail("milliseconds must not be negative");
        break;
    case Kind::ExitCode:
        step.number = parser.integer("exit code");
        break;
    case Kind::Shot:
    case Kind::Dump:
    case Kind::Drop:
        step.text = parser.remainder("file name");
        return;
    case Kind::Clip:
        step.text = parser.remainder("text");
        return;
    case Kind::WaitWindow: {
        std::string title = parser.remainder("window title");
        if (title.size() >= 2 && title.front() == '"' && title.back() == '"') {
            LineParser quoted_title(title);
            title = quoted_title.quoted();
            quoted_title.expect_end();
            if (quoted_title.error())
                parser.fail(*quoted_title.error());
        }
        step.text = title;
        return;
    }
    case Kind::Idle:
    case Kind::Quit:
    case Kind::CloseMainWindow:
        break;
    }
    parser.expect_end();
}

} // namespace

bool ScriptStep::needs_window() const {
    switch (kind) {
    case Kind::Sleep:
    case Kind::WaitWindow:
    case Kind::ExitCode:
    case Kind::Quit:
    case Kind::Clip:
        return false;
    default:
        return true;
    }
}

bool ScriptStep::is_input() const {
    switch (kind) {
    case Kind::Move:
    case Kind::Down:
    case Kind::Up:
    case Kind::Click:
    case Kind::DoubleClick:
    case Kind::Key:
    case Kind::Type:
    case Kind::Clip:
    case Kind::Drop:
        return true;
    default:
        return false;
    }
}

ScriptParseResult parse_script(std::string_view text, std::string file_name) {
    ScriptParseResult result;
    result.script.file_name = std::move(file_name);
    int line_number = 0;
    while (!text.empty()) {
        ++line_number;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string_view content = trim(line);
        if (content.empty() || content.front() == '#')
            continue;
        std::string_view rest = line;
        std::string_view keyword = take_word(rest);
        ScriptStep step;
        step.line = line_number;
        bool known = false;
        for (const StepKeyword& candidate : step_keywords) {
            if (candidate.word == keyword) {
                step.kind = candidate.kind;
                known = true;
            }
        }
        if (!known) {
            result.error =
                ScriptError{line_number, "unknown step \"" + std::string(keyword) + "\""};
            return result;
        }
        LineParser parser(rest);
        parse_arguments(step, parser);
        if (parser.error()) {
            result.error = ScriptError{line_number, std::string(keyword) + ": " + *parser.error()};
            return result;
        }
        result.script.steps.push_back(std::move(step));
    }
    return result;
}

Script snapshot_script(std::string file_name) {
    Script script;
    script.file_name = "MULLION_SNAPSHOT";
    ScriptStep idle;
    idle.kind = ScriptStep::Kind::Idle;
    ScriptStep shot;
    shot.kind = ScriptStep::Kind::Shot;
    shot.text = std::move(file_name);
    ScriptStep close;
    close.kind = ScriptStep::Kind::CloseMainWindow;
    script.steps = {idle, shot, close};
    return script;
}

} // namespace mullion
