#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mullion {

// The text of an edit control with its selection, length limit, modification flag and the
// single level of undo. Positions are byte offsets into the UTF-8 text and always fall on
// character boundaries; a line break "\r\n" counts as one step for movement.
class EditBuffer {
public:
    // One replacement of the text: `removed` bytes at `position` gave way to `inserted` bytes.
    struct Change {
        size_t position = 0;
        size_t removed = 0;
        size_t inserted = 0;
    };
    // Typed characters and deletions by key merge into one undo step; other changes stand alone.
    enum class UndoGrouping { Separate, MergeTyping };

    // The documented default limit on what the user may enter.
    static constexpr size_t default_limit = 32767;

    const std::string& text() const { return m_text; }
    size_t length() const { return m_text.size(); }

    size_t anchor() const { return m_anchor; }
    size_t caret() const { return m_caret; }
    size_t selection_start() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    size_t selection_end() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool has_selection() const { return m_anchor != m_caret; }
    std::string selected_text() const;
    // Clamps both ends to the text and moves them back onto character boundaries.
    void set_selection(size_t anchor, size_t caret);

    // Replaces the whole text; the undo buffer empties and the modification flag clears.
    void set_text(std::string_view text);

    // Replaces the selection by as much of `text` as the limit allows (whole characters only)
    // and puts the caret after it. Returns the change, with `truncated` set when the limit cut
    // the text short.
    Change replace_selection(std::string_view text, UndoGrouping grouping, bool& truncated);
    // Removes [start, end) as a user deletion (Backspace, Del) and collapses the selection there.
    Change erase(size_t start, size_t end);

    size_t limit() const { return m_limit; }
    void set_limit(size_t limit) { m_limit = limit; }

    bool modified() const { return m_modified; }
    void set_modified(bool modified) { m_modified = modified; }

    bool can_undo() const { return m_undo.valid; }
    void empty_undo() { m_undo = {}; }
    // Reverses the last change; undoing again redoes it. The restored text ends up selected.
    Change undo();

    // Character and word steps. A word is a run of letters, digits and underscores or a run of
    // other non-blank characters; blanks and line breaks separate words.
    size_t next_position(size_t position) const;
    size_t previous_position(size_t position) const;
    size_t next_word_start(size_t position) const;
    size_t previous_word_start(size_t position) const;
    // The word (or run of blanks) that the character at `position` belongs to, as [start, end).
    std::pair<size_t, size_t> word_around(size_t position) const;

private:
    struct UndoStep {
        bool valid = false;
        bool mergeable = false;
        size_t position = 0;
        std::string removed;
        size_t inserted = 0;
    };

    size_t character_boundary_at_or_before(size_t position) const;
    Change replace(size_t start, size_t end, std::string_view text);
    void record(const Change& change, std::string removed, UndoGrouping grouping);
    enum class CharacterClass { Blank, Word, Other };
    CharacterClass class_at(size_t position) const;

    std::string m_text;
    size_t m_anchor = 0;
    size_t m_caret = 0;
    size_t m_limit = default_limit;
    bool m_modified = false;
    UndoStep m_undo;
};

} // namespace mullion
