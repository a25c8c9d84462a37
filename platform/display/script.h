#pragma once

#include "key_stroke.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// Where a pointer step acts: screen pixels, client coordinates of the top-level window with a
// title, or the centre of the control with an id inside such a window.
struct ScriptPosition {
    enum class Form { Screen, Client, Control };
    Form form = Form::Screen;
    std::string title;
    POINT point{0, 0};
    int control_id = 0;
};

struct ScriptStep {
    enum class Kind {
        Move,
        Down,
        Up,
        Click,
        DoubleClick,
        Key,
        Type,
        Idle,
        Sleep,
        Shot,
        Dump,
        Clip,
        Drop,
        WaitWindow,
        ExitCode,
        Quit,
        // Not written in scripts: ends a snapshot run by closing the main window.
        CloseMainWindow,
    };
    Kind kind = Kind::Idle;
    int line = 0;
    ScriptPosition position; // pointer steps
    InputEvent::Button button = InputEvent::Button::Left;
    KeyStroke key;    // key
    std::string text; // type, clip; file of shot, dump, drop; title
    int number = 0;   // sleep milliseconds, expected exit code

    // Steps that act on the program's windows wait until it has shown its first one.
    bool needs_window() const;
    // Input steps are followed by a wait until the program has handled their input.
    bool is_input() const;
};

struct Script {
    std::string file_name;
    std::vector<ScriptStep> steps;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

struct ScriptParseResult {
    Script script;
    std::optional<ScriptError> error;
};

// Parses a whole script, stopping at the first line that is not a valid step.
ScriptParseResult parse_script(std::string_view text, std::string file_name);

// The steps of a MULLION_SNAPSHOT run: wait for idle, write the picture, close the main window.
Script snapshot_script(std::string file_name);

} // namespace mullion
