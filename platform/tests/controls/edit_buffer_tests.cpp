// The edit control's text model: limits, undo grouping, and the character and word steps.
#include "controls/edit_buffer.h"

#include <gtest/gtest.h>

namespace {

using mullion::EditBuffer;
using Grouping = EditBuffer::UndoGrouping;

void type(EditBuffer& buffer, std::string_view text) {
    bool truncated = false;
    for (char c : text)
        buffer.replace_selection(std::string_view(&c, 1), Grouping::MergeTyping, truncated);
}

TEST(EditBufferTest, ReplacingTheSelectionPutsTheCaretAfterTheNewText) {
    EditBuffer buffer;
    buffer.set_text("Hello world");
    buffer.set_selection(6, 11);
    EXPECT_EQ(buffer.selected_text(), "world");
    bool truncated = true;
    const auto change = buffer.replace_selection("there", Grouping::Separate, truncated);
    EXPECT_FALSE(truncated);
    EXPECT_EQ(buffer.text(), "Hello there");
    EXPECT_EQ(change.position, 6u);
    EXPECT_EQ(change.removed, 5u);
    EXPECT_EQ(change.inserted, 5u);
    EXPECT_EQ(buffer.caret(), 11u);
    EXPECT_FALSE(buffer.has_selection());
    EXPECT_TRUE(buffer.modified());
}

TEST(EditBufferTest, SelectionEndsMayBeReversedAndAreClamped) {
    EditBuffer buffer;
    buffer.set_text("abcdef");
    buffer.set_selection(5, 2);
    EXPECT_EQ(buffer.selection_start(), 2u);
    EXPECT_EQ(buffer.selection_end(), 5u);
    EXPECT_EQ(buffer.caret(), 2u);
    buffer.set_selection(0, 1000);
    EXPECT_EQ(buffer.selection_end(), 6u);
}

TEST(EditBufferTest, PositionsNeverSplitACharacterOrALineBreak) {
    EditBuffer buffer;
    buffer.set_text("a\xC3\xA9"
                    "b\r\nc");  // a, e-acute (2 bytes), b, CR LF, c
    buffer.set_selection(2, 2); // inside the e-acute
    EXPECT_EQ(buffer.caret(), 1u);
    buffer.set_selection(5, 5); // between CR and LF
    EXPECT_EQ(buffer.caret(), 4u);
    EXPECT_EQ(buffer.next_position(1), 3u);
    EXPECT_EQ(buffer.previous_position(3), 1u);
    EXPECT_EQ(buffer.next_position(4), 6u); // CR LF is one step
    EXPECT_EQ(buffer.previous_position(6), 4u);
}

TEST(EditBufferTest, TheLimitTruncatesInsertedTextToWholeCharacters) {
    EditBuffer buffer;
    buffer.set_limit(4);
    bool truncated = false;
    buffer.replace_selection("ab", Grouping::Separate, truncated);
    EXPECT_FALSE(truncated);
    buffer.replace_selection("c\xC3\xA9", Grouping::Separate, truncated); // 3 bytes, room for 2
    EXPECT_TRUE(truncated);
    EXPECT_EQ(buffer.text(), "abc");
    // Replacing a selection frees its room first.
    buffer.set_selection(0, 3);
    buffer.replace_selection("wxyz!", Grouping::Separate, truncated);
    EXPECT_TRUE(truncated);
    EXPECT_EQ(buffer.text(), "wxyz");
}

TEST(EditBufferTest, SettingTextIgnoresTheLimitAndClearsUndoAndModification) {
    EditBuffer buffer;
    buffer.set_limit(3);
    type(buffer, "ab");
    ASSERT_TRUE(buffer.can_undo());
    buffer.set_text("longer than three");
    EXPECT_EQ(buffer.text(), "longer than three");
    EXPECT_FALSE(buffer.can_undo());
    EXPECT_FALSE(buffer.modified());
    EXPECT_EQ(buffer.caret(), 0u);
}

TEST(EditBufferTest, TypingAndBackspacingMergeIntoOneUndoStepAndUndoOfUndoRedoes) {
    EditBuffer buffer;
    buffer.set_text("x");
    buffer.set_selection(1, 1);
    type(buffer, "hello");
    buffer.erase(5, 6); // Backspace over the 'o'
    EXPECT_EQ(buffer.text(), "xhell");
    const auto change = buffer.undo();
    EXPECT_EQ(buffer.text(), "x");
    EXPECT_EQ(change.position, 1u);
    EXPECT_EQ(change.removed, 4u);
    // Undoing the undo brings the typing back, selected.
    buffer.undo();
    EXPECT_EQ(buffer.text(), "xhell");
    EXPECT_EQ(buffer.selection_start(), 1u);
    EXPECT_EQ(buffer.selection_end(), 5u);
}

TEST(EditBufferTest, BackspacesBeforeTheTypedTextJoinTheStep) {
    EditBuffer buffer;
    buffer.set_text("abcd");
    buffer.set_selection(4, 4);
    buffer.erase(3, 4);
    buffer.erase(2, 3);
    EXPECT_EQ(buffer.text(), "ab");
    buffer.undo();
    EXPECT_EQ(buffer.text(), "abcd");
    // Del keys forward from one place also join.
    buffer.set_text("abcd");
    buffer.erase(0, 1);
    buffer.erase(0, 1);
    EXPECT_EQ(buffer.text(), "cd");
    buffer.undo();
    EXPECT_EQ(buffer.text(), "abcd");
}

TEST(EditBufferTest, APasteIsItsOwnUndoStep) {
    EditBuffer buffer;
    type(buffer, "ab");
    bool truncated = false;
    buffer.replace_selection("PASTE", Grouping::Separate, truncated);
    type(buffer, "c"); // typing after a paste starts a new step too
    buffer.undo();
    EXPECT_EQ(buffer.text(), "abPASTE");
    buffer.empty_undo();
    EXPECT_FALSE(buffer.can_undo());
    const auto nothing = buffer.undo();
    EXPECT_EQ(nothing.removed + nothing.inserted, 0u);
    EXPECT_EQ(buffer.text(), "abPASTE");
}

TEST(EditBufferTest, WordStepsSkipBlanksAndStopBetweenWordsAndPunctuation) {
    EditBuffer buffer;
    buffer.set_text("one  two,three\r\nfour");
    //               0    5  8 9    14  16
    EXPECT_EQ(buffer.next_word_start(0), 5u);
    EXPECT_EQ(buffer.next_word_start(5), 8u);  // "two" then ","
    EXPECT_EQ(buffer.next_word_start(8), 9u);  // "," then "three"
    EXPECT_EQ(buffer.next_word_start(9), 16u); // across the line break
    EXPECT_EQ(buffer.next_word_start(16), 20u);
    EXPECT_EQ(buffer.previous_word_start(20), 16u);
    EXPECT_EQ(buffer.previous_word_start(16), 9u);
    EXPECT_EQ(buffer.previous_word_start(5), 0u);
    EXPECT_EQ(buffer.previous_word_start(3), 0u);
}

TEST(EditBufferTest, TheWordAroundAPositionIsWhatADoubleClickSelects) {
    EditBuffer buffer;
    buffer.set_text("say hello_world now");
    EXPECT_EQ(buffer.word_around(6), (std::pair<size_t, size_t>{4, 15}));
    EXPECT_EQ(buffer.word_around(3), (std::pair<size_t, size_t>{3, 4})); // the blank
    EXPECT_EQ(buffer.word_around(19), (std::pair<size_t, size_t>{16, 19}));
}

} // namespace
