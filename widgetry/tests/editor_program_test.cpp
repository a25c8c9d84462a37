// End-to-end tests of Widgetry1, the text editor on a multi-line edit control, run headless
// through the scripted driver: the Edit menu's items follow the selection, the clipboard and
// the control's undo; New empties the text; the control fills the client area and re-wraps
// when the window is resized; the caret lands in the control whenever the window is activated.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"
#include "testing/screen_capture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::run_and_capture;
using Capture = mullion::testing::ScreenCapture;
using mullion::testing::rgb_pixel;

namespace {

const char kTitle[] = "Widgetry1";
constexpr int kEditId = 130;
constexpr int kMargin = 8;

enum : int { Undo = 120, Cut = 121, Copy = 122, Paste = 123, Delete = 124 };

// Steps that open the Edit menu (its update handlers run), so that a dump shows its state.
const char kOpenEditMenu[] = "key Alt+E\nidle\n";
const char kCloseMenu[] = "key Esc\nkey Esc\nidle\n";

const nlohmann::json& edit_control(const Capture& capture) {
    const auto* window = capture.dump.top_level(kTitle);
    EXPECT_NE(window, nullptr);
    static const nlohmann::json missing = nlohmann::json::object();
    if (!window)
        return missing;
    const auto* edit = Dump::child_with_id(*window, kEditId);
    EXPECT_NE(edit, nullptr);
    return edit ? *edit : missing;
}

std::string edit_text(const Capture& capture) {
    const auto& edit = edit_control(capture);
    return edit.contains("text") ? edit["text"].get<std::string>() : "";
}

std::string edit_selection(const Capture& capture) {
    const auto& edit = edit_control(capture);
    return edit.contains("selection") && edit["selection"].is_string()
               ? edit["selection"].get<std::string>()
               : "";
}

// The items of the menu bar's popup at this position.
const nlohmann::json& popup_items(const Capture& capture, size_t position) {
    const auto* bar = capture.dump.menu_bar(kTitle);
    static const nlohmann::json none = nlohmann::json::array();
    EXPECT_NE(bar, nullptr);
    if (!bar || (*bar)["items"].size() <= position)
        return none;
    return (*bar)["items"][position]["items"];
}

// The enabled state of each command of the Edit menu.
std::map<int, bool> edit_menu_state(const Capture& capture) {
    std::map<int, bool> state;
    for (const auto& item : popup_items(capture, 1))
        if (!item.contains("separator"))
            state[item["id"].get<int>()] = item["enabled"].get<bool>();
    return state;
}

std::map<int, bool> expected_state(bool undo, bool selection, bool paste) {
    return {{Undo, undo}, {Cut, selection}, {Copy, selection}, {Paste, paste}, {Delete, selection}};
}

// Width in pixels of text in the edit control's font (the system font: the program sets none).
struct SystemFont {
    SystemFont() : dc(CreateCompatibleDC(nullptr)) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        GetTextMetricsA(dc, &metrics);
    }
    ~SystemFont() { DeleteDC(dc); }
    int width(const std::string& text) const {
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        return int(size.cx);
    }
    HDC dc;
    TEXTMETRICA metrics{};
};

// Word wrapping as a typist expects: each line takes as many words as fit in `width`; the blank
// after the last word stays on its line.
std::vector<std::string> wrapped_lines(const std::string& text, int width, const SystemFont& font) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        const size_t blank = text.find(' ', start);
        const size_t end = blank == std::string::npos ? text.size() : blank;
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && font.width(line + word) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += word + (blank == std::string::npos ? "" : " ");
        start = end + 1;
    }
    lines.push_back(line);
    return lines;
}

int count_pixels(const PngImage& image, const DumpRect& rect, uint32_t colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

std::string point(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

TEST(EditorProgram, WindowMenusAndControlAreAsDescribed) {
    const auto capture = run_and_capture(kTitle, "");
    const auto* window = capture.dump.top_level(kTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ((*window)["style"].get<long long>() & 0x00CF0000, 0x00CF0000);

    const auto& edit = edit_control(capture);
    EXPECT_EQ(edit["class"], "Edit");
    EXPECT_EQ(edit["style"].get<long long>(), 0x50200044);
    // The control fills the client area.
    const DumpRect client = Dump::client(*window);
    const DumpRect rect = Dump::rect(edit);
    EXPECT_EQ(rect.left, client.left);
    EXPECT_EQ(rect.top, client.top);
    EXPECT_EQ(rect.right, client.right);
    EXPECT_EQ(rect.bottom, client.bottom);

    const auto* bar = capture.dump.menu_bar(kTitle);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ((*bar)["items"].size(), 2u);
    EXPECT_EQ((*bar)["items"][0]["text"], "&File");
    EXPECT_EQ((*bar)["items"][1]["text"], "&Edit");
    const std::vector<std::pair<std::string, int>> file = {
        {"&New\tCtrl+N", 110}, {"", 0}, {"E&xit", 111}};
    const std::vector<std::pair<std::string, int>> edit_items = {
        {"&Undo\tCtrl+Z", 120},  {"", 0},
        {"Cu&t\tCtrl+X", 121},   {"&Copy\tCtrl+C", 122},
        {"&Paste\tCtrl+V", 123}, {"&Delete\tDel", 124}};
    for (const auto& [position, expected] :
         std::vector<std::pair<size_t, std::vector<std::pair<std::string, int>>>>{
             {0, file}, {1, edit_items}}) {
        const auto& items = popup_items(capture, position);
        ASSERT_EQ(items.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(items[i]["text"], expected[i].first);
            EXPECT_EQ(items[i]["id"], expected[i].second);
        }
    }
}

TEST(EditorProgram, EditCommandsAreGrayedUntilTheyCanDoSomething) {
    // Nothing typed, nothing selected, nothing on the clipboard.
    EXPECT_EQ(edit_menu_state(run_and_capture(kTitle, kOpenEditMenu)),
              expected_state(false, false, false));
    // Typing gives something to undo; the caret after the text selects nothing.
    EXPECT_EQ(
        edit_menu_state(run_and_capture(kTitle, std::string("type Hello world\n") + kOpenEditMenu)),
        expected_state(true, false, false));
    // A selection enables the three commands that act on it.
    const auto selected =
        run_and_capture(kTitle, std::string("type Hello world\nkey Shift+Home\n") + kOpenEditMenu);
    EXPECT_EQ(edit_selection(selected), "Hello world");
    EXPECT_EQ(edit_menu_state(selected), expected_state(true, true, false));
    // Collapsing the selection grays them again.
    EXPECT_EQ(edit_menu_state(run_and_capture(
                  kTitle, std::string("type Hello world\nkey Shift+Home\n") + kOpenEditMenu +
                              kCloseMenu + "key End\n" + kOpenEditMenu)),
              expected_state(true, false, false));
}

TEST(EditorProgram, PasteFollowsTheClipboard) {
    // Text on the clipboard enables Paste even while the control is empty.
    const auto clipped =
        run_and_capture(kTitle, std::string("clip from elsewhere\n") + kOpenEditMenu);
    EXPECT_EQ(edit_text(clipped), "");
    EXPECT_EQ(edit_menu_state(clipped)[Paste], true);

    // Copying from the control puts text there; New then Paste brings it back.
    const auto copied =
        run_and_capture(kTitle, std::string("type Hello world\nkey Shift+Ctrl+Left\n") +
                                    "key Ctrl+C\nkey Ctrl+N\n" + kOpenEditMenu);
    EXPECT_EQ(edit_text(copied), "");
    EXPECT_EQ(edit_menu_state(copied)[Paste], true);
    const auto pasted =
        run_and_capture(kTitle, std::string("type Hello world\nkey Shift+Ctrl+Left\n") +
                                    "key Ctrl+C\nkey Ctrl+N\nkey Alt+E\nkey P\n");
    EXPECT_EQ(edit_text(pasted), "world");
}

TEST(EditorProgram, CutCopyAndDeleteActOnTheSelection) {
    const std::string select_world = "type Hello world\nkey Shift+Ctrl+Left\n";
    // Cut removes the selection and puts it on the clipboard.
    const auto cut = run_and_capture(kTitle, select_world + "key Alt+E\nkey T\nkey Ctrl+Home\n" +
                                                 "key Alt+E\nkey P\n" + kOpenEditMenu);
    EXPECT_EQ(edit_text(cut), "worldHello ");
    EXPECT_EQ(edit_menu_state(cut)[Paste], true);
    // Copy leaves the text alone.
    const auto copy =
        run_and_capture(kTitle, select_world + "key Alt+E\nkey C\nkey End\nkey Alt+E\nkey P\n");
    EXPECT_EQ(edit_text(copy), "Hello worldworld");
    // Delete removes the selection without touching the (empty) clipboard.
    const auto deleted =
        run_and_capture(kTitle, select_world + "key Alt+E\nkey D\n" + kOpenEditMenu);
    EXPECT_EQ(edit_text(deleted), "Hello ");
    EXPECT_EQ(edit_menu_state(deleted), expected_state(true, false, false));
    // The control's own keys for cut and paste.
    EXPECT_EQ(edit_text(run_and_capture(kTitle,
                                        select_world + "key Ctrl+X\nkey Ctrl+Home\nkey Ctrl+V\n")),
              "worldHello ");
    // The control's own Del key deletes like the menu's Delete.
    EXPECT_EQ(edit_text(run_and_capture(kTitle, select_world + "key Del\n")), "Hello ");
}

TEST(EditorProgram, UndoTakesBackTheLastEdit) {
    EXPECT_EQ(edit_text(run_and_capture(kTitle, "type Hello\nkey Alt+E\nkey U\n")), "");
    EXPECT_EQ(edit_text(run_and_capture(kTitle,
                                        "type Hello world\nkey Shift+Ctrl+Left\nkey Alt+E\nkey D\n"
                                        "key Alt+E\nkey U\n")),
              "Hello world");
    // The control's own Ctrl+Z.
    EXPECT_EQ(edit_text(run_and_capture(kTitle, "type Hello world\nkey Shift+Ctrl+Left\nkey Del\n"
                                                "key Ctrl+Z\n")),
              "Hello world");
}

TEST(EditorProgram, NewEmptiesTheText) {
    EXPECT_EQ(edit_text(run_and_capture(kTitle, "type Some text\nkey Ctrl+N\n")), "");
    EXPECT_EQ(edit_text(run_and_capture(kTitle, "type Some text\nkey Alt+F\nkey N\n")), "");
    // With the caret elsewhere in the text and part of it selected.
    const auto middle =
        run_and_capture(kTitle, "type Some text\nkey Enter\ntype more\nkey Ctrl+Home\n"
                                "key Shift+Right\nkey Ctrl+N\ntype again\n");
    EXPECT_EQ(edit_text(middle), "again");
    // The accelerator is not typed into the control.
    EXPECT_EQ(edit_text(run_and_capture(kTitle, "key Ctrl+N\n")), "");
}

TEST(EditorProgram, ExitAndTheCloseBoxEndTheProgram) {
    ProgramRun by_menu(kTitle);
    auto result =
        by_menu.run_script("idle\ntype unsaved\nkey Alt+F\nkey X\n", std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0);

    const auto start = run_and_capture(kTitle, "");
    const DumpRect window = Dump::rect(*start.dump.top_level(kTitle));
    ProgramRun by_close_box(kTitle);
    result = by_close_box.run_script("idle\ntype unsaved\nclick " +
                                         point(window.right - 14, window.top + 13) + "\n",
                                     std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0);
}

TEST(EditorProgram, ResizingResizesTheControlAndReWrapsTheText) {
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu "
                             "nu xi omicron pi rho sigma tau upsilon phi chi psi omega";
    const auto start = run_and_capture(kTitle, "");
    const DumpRect frame = Dump::rect(*start.dump.top_level(kTitle));
    const int edge_x = frame.right - 2;
    const int middle_y = (frame.top + frame.bottom) / 2;
    const int new_right = frame.left + 300;

    // Drag the right border in, then read every line through the keyboard: Home and Shift+End
    // select it, Down goes on to the next line.
    std::string steps = "type " + text + "\ndown " + point(edge_x, middle_y) + "\nmove " +
                        point((edge_x + new_right) / 2, middle_y) + "\nmove " +
                        point(new_right, middle_y) + "\nup " + point(new_right, middle_y) +
                        "\nidle\nkey Ctrl+Home\n";
    constexpr int kLinesRead = 8;
    for (int line = 0; line < kLinesRead; ++line)
        steps +=
            "key Home\nkey Shift+End\nidle\ndump line" + std::to_string(line) + ".json\nkey Down\n";
    ProgramRun run(kTitle);
    const auto result = run.run_script("idle\n" + steps + "idle\ndump state.json\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;

    const Capture after{Dump::load(run.file("state.json")), {}};
    const auto* window = after.dump.top_level(kTitle);
    ASSERT_NE(window, nullptr);
    const DumpRect client = Dump::client(*window);
    EXPECT_LT(client.width(), frame.width() / 2);
    const auto& edit = edit_control(after);
    const DumpRect rect = Dump::rect(edit);
    EXPECT_EQ(rect.left, client.left);
    EXPECT_EQ(rect.right, client.right);
    EXPECT_EQ(rect.bottom, client.bottom);
    EXPECT_EQ(edit_text(after), text);

    const SystemFont font;
    const auto expected = wrapped_lines(text, Dump::client(edit).width() - 2 * kMargin, font);
    ASSERT_GT(expected.size(), 2u);
    ASSERT_LT(expected.size(), size_t(kLinesRead));
    std::vector<std::string> lines;
    for (int line = 0; line < kLinesRead; ++line) {
        const Capture dump{Dump::load(run.file("line" + std::to_string(line) + ".json")), {}};
        const std::string selected = edit_selection(dump);
        if (line > 0 && selected == lines.back())
            break; // Down on the last line stays there
        lines.push_back(selected);
    }
    EXPECT_EQ(lines, expected);
}

TEST(EditorProgram, MouseAndKeyboardSelectAcrossLines) {
    const SystemFont font;
    const auto start = run_and_capture(kTitle, "");
    const DumpRect client = Dump::client(edit_control(start));
    const int left = client.left + kMargin;
    const int row = font.metrics.tmHeight;
    const int first_y = client.top + row / 2;
    const int second_y = first_y + row;
    const std::string typing = "type first line\nkey Enter\ntype fix second\n";

    // Dragging from after "first " on line one to after "fix" on line two.
    const auto dragged =
        run_and_capture(kTitle, typing + "down " + point(left + font.width("first "), first_y) +
                                    "\nmove " + point(left + 40, second_y) + "\nup " +
                                    point(left + font.width("fix"), second_y) + "\n");
    EXPECT_EQ(edit_selection(dragged), "line\r\nfix");
    EXPECT_EQ(edit_menu_state(run_and_capture(
                  kTitle, typing + "down " + point(left + font.width("first "), first_y) + "\nup " +
                              point(left, second_y) + "\n" + kOpenEditMenu))[Cut],
              true);

    // A click places the caret; Shift+Down extends the selection to the same pixel column below,
    // which both lines reach through the same letters.
    const auto extended = run_and_capture(
        kTitle, typing + "click " + point(left + font.width("fi"), first_y) + "\nkey Shift+Down\n");
    EXPECT_EQ(edit_selection(extended), "rst line\r\nfi");
    // Typing replaces a selection across lines.
    EXPECT_EQ(edit_text(run_and_capture(kTitle, typing + "key Ctrl+Home\nkey Shift+Down\n"
                                                         "key Shift+End\ntype X\n")),
              "X");
}

TEST(EditorProgram, TheCaretIsScrolledIntoView) {
    // Forty empty lines, then a word: only that word puts ink in the control, and only when the
    // view follows the caret down to it.
    std::string steps;
    for (int line = 0; line < 40; ++line)
        steps += "key Enter\n";
    steps += "type WWWW\n";
    const auto bottom = run_and_capture(kTitle, steps);
    // Right of where the caret stands at the start of a line, so that only text counts.
    DumpRect text_area = Dump::client(edit_control(bottom));
    text_area.left += kMargin + 2;
    EXPECT_GT(count_pixels(bottom.image, text_area, rgb_pixel(0, 0, 0)), 0);
    const auto top = run_and_capture(kTitle, steps + "key Ctrl+Home\n");
    EXPECT_EQ(count_pixels(top.image, text_area, rgb_pixel(0, 0, 0)), 0);
}

TEST(EditorProgram, ActivatingTheWindowPutsTheCaretInTheControl) {
    // Start-up activates the window: typing goes straight into the control.
    const auto started = run_and_capture(kTitle, "type typed at once\n");
    EXPECT_EQ(edit_text(started), "typed at once");
    EXPECT_EQ(edit_control(started)["focused"], true);

    // Clicking the caption or opening and closing a menu keeps it there.
    const auto start = run_and_capture(kTitle, "");
    const DumpRect frame = Dump::rect(*start.dump.top_level(kTitle));
    const auto clicked = run_and_capture(
        kTitle, "type ab\nclick " + point((frame.left + frame.right) / 2, frame.top + 12) +
                    "\nkey Alt+F\nkey Esc\nkey Esc\ntype c\n");
    EXPECT_EQ(edit_text(clicked), "abc");
    EXPECT_EQ(edit_control(clicked)["focused"], true);
}

} // namespace
