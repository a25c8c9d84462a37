#include "display/script.h"

#include <gtest/gtest.h>

namespace mullion {
namespace {

using Kind = ScriptStep::Kind;
using Form = ScriptPosition::Form;

ScriptStep only_step(std::string_view line) {
    ScriptParseResult result = parse_script(line, "test.script");
    EXPECT_FALSE(result.error) << line << ": " << (result.error ? result.error->message : "");
    EXPECT_EQ(result.script.steps.size(), 1u) << line;
    return result.script.steps.empty() ? ScriptStep{} : result.script.steps.front();
}

ScriptError error_of(std::string_view text) {
    ScriptParseResult result = parse_script(text, "test.script");
    EXPECT_TRUE(result.error) << text;
    return result.error.value_or(ScriptError{});
}

TEST(ScriptPositions, ScreenPixels) {
    ScriptStep step = only_step("move 10 -20");
    EXPECT_EQ(step.kind, Kind::Move);
    EXPECT_EQ(step.position.form, Form::Screen);
    EXPECT_EQ(step.position.point.x, 10);
    EXPECT_EQ(step.position.point.y, -20);
}

TEST(ScriptPositions, ClientCoordinatesOfATitledWindow) {
    ScriptStep step = only_step("click \"Pen Box\" 40 50");
    EXPECT_EQ(step.position.form, Form::Client);
    EXPECT_EQ(step.position.title, "Pen Box");
    EXPECT_EQ(step.position.point.x, 40);
    EXPECT_EQ(step.position.point.y, 50);
}

TEST(ScriptPositions, ControlOfATitledWindow) {
    ScriptStep step = only_step("click \"Open\"#1");
    EXPECT_EQ(step.position.form, Form::Control);
    EXPECT_EQ(step.position.title, "Open");
    EXPECT_EQ(step.position.control_id, 1);
}

TEST(ScriptPositions, TitlesMayHoldEscapedQuotesAndBackslashes) {
    ScriptStep step = only_step(R"(move "Say \"hi\" C:\\" 1 2)");
    EXPECT_EQ(step.position.title, R"(Say "hi" C:\)");
}

TEST(ScriptSteps, PointerStepsTakeAnOptionalButton) {
    EXPECT_EQ(only_step("down 1 2").button, InputEvent::Button::Left);
    EXPECT_EQ(only_step("down 1 2 right").kind, Kind::Down);
    EXPECT_EQ(only_step("down 1 2 right").button, InputEvent::Button::Right);
    EXPECT_EQ(only_step("up 1 2 left").kind, Kind::Up);
    EXPECT_EQ(only_step("click \"W\" 3 4 right").button, InputEvent::Button::Right);
    EXPECT_EQ(only_step("click \"W\"#7 right").button, InputEvent::Button::Right);
    EXPECT_EQ(only_step("dblclick 5 6").kind, Kind::DoubleClick);
}

TEST(ScriptSteps, KeyStepCarriesItsStroke) {
    ScriptStep step = only_step("key Ctrl+N");
    EXPECT_EQ(step.kind, Kind::Key);
    EXPECT_EQ(step.key.modifiers, std::vector<UINT>{0x11});
    EXPECT_EQ(step.key.virtual_key, 0x4Eu);
}

TEST(ScriptSteps, TypeKeepsTheRestOfTheLineAsWritten) {
    EXPECT_EQ(only_step("type Hello, world!").text, "Hello, world!");
    EXPECT_EQ(only_step("type  two  blanks ").text, " two  blanks ");
    EXPECT_EQ(only_step("type # not a comment\r").text, "# not a comment");
}

TEST(ScriptSteps, StepsWithFilesTitlesAndNumbers) {
    EXPECT_EQ(only_step("idle").kind, Kind::Idle);
    EXPECT_EQ(only_step("sleep 250").number, 250);
    ScriptStep shot = only_step("shot out/first shot.png");
    EXPECT_EQ(shot.kind, Kind::Shot);
    EXPECT_EQ(shot.text, "out/first shot.png");
    EXPECT_EQ(only_step("dump state.json").kind, Kind::Dump);
    EXPECT_EQ(only_step("clip some text").text, "some text");
    EXPECT_EQ(only_step("drop C:\\file.txt").kind, Kind::Drop);
    ScriptStep wait = only_step("wait-window Save As");
    EXPECT_EQ(wait.kind, Kind::WaitWindow);
    EXPECT_EQ(wait.text, "Save As");
    EXPECT_EQ(only_step("wait-window \"Quoted Title\"").text, "Quoted Title");
    EXPECT_EQ(only_step("exit-code -1").number, -1);
    EXPECT_EQ(only_step("quit").kind, Kind::Quit);
}

TEST(ScriptSteps, WhichStepsAreInputAndWhichNeedAWindow) {
    EXPECT_TRUE(only_step("click 1 1").is_input());
    EXPECT_TRUE(only_step("type x").is_input());
    EXPECT_TRUE(only_step("clip x").is_input());
    EXPECT_FALSE(only_step("shot a.png").is_input());
    EXPECT_FALSE(only_step("idle").is_input());
    EXPECT_TRUE(only_step("key A").needs_window());
    EXPECT_TRUE(only_step("dump a.json").needs_window());
    EXPECT_FALSE(only_step("sleep 1").needs_window());
    EXPECT_FALSE(only_step("wait-window X").needs_window());
    EXPECT_FALSE(only_step("exit-code 0").needs_window());
    EXPECT_FALSE(only_step("quit").needs_window());
}

TEST(ScriptFile, BlankLinesAndCommentsAreSkippedAndLinesNumbered) {
    ScriptParseResult result =
        parse_script("# a script\n\n   \nmove 1 2\r\n  # indented comment\nidle\nquit", "s");
    ASSERT_FALSE(result.error);
    ASSERT_EQ(result.script.steps.size(), 3u);
    EXPECT_EQ(result.script.steps[0].line, 4);
    EXPECT_EQ(result.script.steps[1].line, 6);
    EXPECT_EQ(result.script.steps[2].line, 7);
    EXPECT_EQ(result.script.file_name, "s");
}

TEST(ScriptErrors, NameTheLineOfTheFirstFault) {
    EXPECT_EQ(error_of("idle\nfrobnicate 1\nidle junk").line, 2);
    EXPECT_EQ(error_of("\n\nmove 1").line, 3);
}

TEST(ScriptErrors, EveryMalformedStepIsRefused) {
    for (const char* line : {"move",
                             "move 1",
                             "move a 2",
                             "move 1 2 3",
                             "click 1 2 middle",
                             "click \"W\" 1",
                             "click \"W\"#",
                             "click \"W\"#x",
                             "click \"unterminated 1 2",
                             "dblclick 1 2 right",
                             "key",
                             "key Ctrl+",
                             "key Hyper+X",
                             "type",
                             "type ",
                             "idle now",
                             "sleep",
                             "sleep -5",
                             "sleep soon",
                             "shot",
                             "dump",
                             "clip",
                             "drop",
                             "wait-window",
                             "exit-code",
                             "exit-code zero",
                             "quit now",
                             "Move 1 2"})
        EXPECT_EQ(error_of(line).line, 1) << line;
}

TEST(ScriptErrors, MessagesSayWhatIsWrong) {
    EXPECT_NE(error_of("jump 1 2").message.find("jump"), std::string::npos);
    EXPECT_NE(error_of("key Hyper").message.find("Hyper"), std::string::npos);
    EXPECT_NE(error_of("sleep soon").message.find("soon"), std::string::npos);
}

TEST(SnapshotScript, WaitsWritesAndCloses) {
    Script script = snapshot_script("out.png");
    ASSERT_EQ(script.steps.size(), 3u);
    EXPECT_EQ(script.steps[0].kind, Kind::Idle);
    EXPECT_EQ(script.steps[1].kind, Kind::Shot);
    EXPECT_EQ(script.steps[1].text, "out.png");
    EXPECT_EQ(script.steps[2].kind, Kind::CloseMainWindow);
}

} // namespace
} // namespace mullion
