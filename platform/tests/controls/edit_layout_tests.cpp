// Line breaking with a fixed-pitch measure, so every expected break follows from the widths,
// and the incremental update compared with a full layout of the same text.
#include "controls/edit_layout.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using mullion::EditLayout;

constexpr int char_width = 7;

EditLayout fixed_layout(bool multiline, int wrap_width) {
    EditLayout layout;
    layout.set_measure([](std::string_view) { return char_width; }, 4 * char_width);
    layout.set_format(multiline, wrap_width);
    return layout;
}

std::vector<std::string> lines_of(const EditLayout& layout, const std::string& text) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < layout.line_count(); ++i) {
        const auto& line = layout.line(i);
        lines.push_back(text.substr(line.start, line.end - line.start));
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(EditLayoutTest, HardBreaksSplitLinesAndATrailingBreakEndsInAnEmptyLine) {
    auto layout = fixed_layout(true, 0);
    const std::string text = "first\r\nsecond\nthird\r\n";
    layout.rebuild(text);
    EXPECT_EQ(lines_of(layout, text), (Lines{"first", "second", "third", ""}));
    EXPECT_EQ(layout.line(1).start, 7u);
    EXPECT_EQ(layout.line(1).next, 14u);
    EXPECT_EQ(layout.line(0).width, 5 * char_width);
    EXPECT_EQ(layout.widest_line(), 6 * char_width);
}

TEST(EditLayoutTest, ASingleLineIgnoresBreaks) {
    auto layout = fixed_layout(false, 0);
    const std::string text = "a\r\nb";
    layout.rebuild(text);
    ASSERT_EQ(layout.line_count(), 1u);
    EXPECT_EQ(layout.line(0).width, 4 * char_width);
}

TEST(EditLayoutTest, WordsWrapAfterTheLastBlankThatFits) {
    // Ten characters fit on a line.
    auto layout = fixed_layout(true, 10 * char_width);
    const std::string text = "the quick brown fox jumps";
    layout.rebuild(text);
    // "the quick " is ten characters; blanks at a break stay on their line.
    EXPECT_EQ(lines_of(layout, text), (Lines{"the quick ", "brown fox ", "jumps"}));
}

TEST(EditLayoutTest, BlanksHangPastTheMarginAndLongWordsBreakAnywhere) {
    auto layout = fixed_layout(true, 5 * char_width);
    const std::string text = "ab      cdefghijkl";
    layout.rebuild(text);
    EXPECT_EQ(lines_of(layout, text), (Lines{"ab      ", "cdefg", "hijkl"}));
    // A line always holds at least one character, however narrow the width.
    auto narrow = fixed_layout(true, 1);
    narrow.rebuild("xyz");
    EXPECT_EQ(narrow.line_count(), 3u);
}

TEST(EditLayoutTest, TabsAdvanceToTheNextStop) {
    auto layout = fixed_layout(true, 0);
    const std::string text = "a\tb\t\tc";
    layout.rebuild(text);
    const auto& line = layout.line(0);
    EXPECT_EQ(layout.x_of(text, line, 1), 1 * char_width);
    EXPECT_EQ(layout.x_of(text, line, 2), 4 * char_width); // first stop
    EXPECT_EQ(layout.x_of(text, line, 4), 8 * char_width);
    EXPECT_EQ(layout.x_of(text, line, 5), 12 * char_width);
    EXPECT_EQ(line.width, 13 * char_width);
}

TEST(EditLayoutTest, PositionsFromPixelsRoundToTheNearestBoundary) {
    auto layout = fixed_layout(true, 0);
    const std::string text = "abc\r\ndefg";
    layout.rebuild(text);
    const auto& second = layout.line(1);
    EXPECT_EQ(layout.position_at(text, second, 0), 5u);
    EXPECT_EQ(layout.position_at(text, second, char_width / 2 - 1), 5u);
    EXPECT_EQ(layout.position_at(text, second, char_width / 2 + 1), 6u);
    EXPECT_EQ(layout.position_at(text, second, -50), 5u);
    EXPECT_EQ(layout.position_at(text, second, 1000), 9u);
    EXPECT_EQ(layout.line_of(4), 0u);
    EXPECT_EQ(layout.line_of(5), 1u);
}

TEST(EditLayoutTest, WidthsAreMeasuredOncePerCharacter) {
    int calls = 0;
    EditLayout layout;
    layout.set_measure(
        [&calls](std::string_view character) {
            ++calls;
            return character.size() > 1 ? 12 : 6;
        },
        48);
    layout.set_format(true, 0);
    const std::string text = "aaaa\xC3\xA9\xC3\xA9"
                             "bbbb";
    layout.rebuild(text);
    EXPECT_EQ(layout.line(0).width, 8 * 6 + 2 * 12);
    EXPECT_EQ(calls, 3);
}

// Applies a random edit to `text` and checks that the incremental update gives the lines a
// full layout gives.
TEST(EditLayoutTest, IncrementalUpdatesMatchAFullLayout) {
    std::mt19937 random(1234);
    const std::string alphabet = "abc de  f\r\n";
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += alphabet[random() % alphabet.size()];
    auto incremental = fixed_layout(true, 12 * char_width);
    incremental.rebuild(text);
    for (int round = 0; round < 400; ++round) {
        const size_t position = random() % (text.size() + 1);
        const size_t removed = std::min<size_t>(random() % 6, text.size() - position);
        std::string inserted;
        for (size_t n = random() % 8; n > 0; --n)
            inserted += alphabet[random() % alphabet.size()];
        text.replace(position, removed, inserted);
        incremental.update(text, position, removed, inserted.size());
        auto full = fixed_layout(true, 12 * char_width);
        full.rebuild(text);
        ASSERT_EQ(lines_of(incremental, text), lines_of(full, text))
            << "round " << round << ": replace(" << position << ", " << removed << ", \""
            << inserted << "\")";
        for (size_t i = 0; i < full.line_count(); ++i) {
            ASSERT_EQ(incremental.line(i).next, full.line(i).next) << "round " << round;
            ASSERT_EQ(incremental.line(i).width, full.line(i).width) << "round " << round;
        }
    }
}

} // namespace
