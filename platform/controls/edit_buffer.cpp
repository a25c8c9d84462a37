// The text model of the "Edit" control: selection, limit, modification flag, undo and the
// character and word steps the keyboard moves by.
#include "edit_buffer.h"

#include <algorithm>

namespace mullion {

namespace {

bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string EditBuffer::selected_text() const {
    return m_text.substr(selection_start(), selection_end() - selection_start());
}

size_t EditBuffer::character_boundary_at_or_before(size_t position) const {
    position = std::min(position, m_text.size());
    while (position > 0 && position < m_text.size() && is_continuation_byte(m_text[position]))
        --position;
    // A position between '\r' and '\n' would split a line break.
    if (position > 0 && position < m_text.size() && m_text[position] == '\n' &&
        m_text[position - 1] == '\r')
        --position;
    return position;
}

void EditBuffer::set_selection(size_t anchor, size_t caret) {
    m_anchor = character_boundary_at_or_before(anchor);
    m_caret = character_boundary_at_or_before(caret);
}

void EditBuffer::set_text(std::string_view text) {
    m_text.assign(text);
    m_anchor = m_caret = 0;
    m_modified = false;
    m_undo = {};
}

EditBuffer::Change EditBuffer::replace(size_t start, size_t end, std::string_view text) {
    m_text.replace(start, end - start, text);
    m_anchor = m_caret = start + text.size();
    m_modified = true;
    return Change{start, end - start, text.size()};
}

void EditBuffer::record(const Change& change, std::string removed, UndoGrouping grouping) {
    const bool merging = grouping == UndoGrouping::MergeTyping;
    UndoStep& step = m_undo;
    if (merging && step.valid && step.mergeable) {
        const size_t typed_end = step.position + step.inserted;
        if (change.removed == 0 && change.position == typed_end) {
            step.inserted += change.inserted;
            return;
        }
        // Backspace over characters typed in this step.
        if (change.inserted == 0 && change.position + change.removed == typed_end &&
            change.position >= step.position) {
            step.inserted -= change.removed;
            return;
        }
        // Backspace before them, or Del after them, while nothing typed remains.
        if (change.inserted == 0 && step.inserted == 0) {
            if (change.position + change.removed == step.position) {
                step.removed.insert(0, removed);
                step.position = change.position;
                return;
            }
            if (change.position == step.position) {
                step.removed += removed;
                return;
            }
        }
    }
    step = UndoStep{true, merging, change.position, std::move(removed), change.inserted};
}

EditBuffer::Change EditBuffer::replace_selection(std::string_view text, UndoGrouping grouping,
                                                 bool& truncated) {
    const size_t start = selection_start();
    const size_t end = selection_end();
    const size_t kept = m_text.size() - (end - start);
    const size_t room = m_limit > kept ? m_limit - kept : 0;
    truncated = text.size() > room;
    if (truncated) {
        size_t cut = room;
        while (cut > 0 && is_continuation_byte(text[cut]))
            --cut;
        text = text.substr(0, cut);
    }
    if (text.empty() && start == end)
        return Change{start, 0, 0};
    std::string removed = m_text.substr(start, end - start);
    const Change change = replace(start, end, text);
    record(change, std::move(removed), grouping);
    return change;
}

EditBuffer::Change EditBuffer::erase(size_t start, size_t end) {
    start = character_boundary_at_or_before(start);
    end = std::max(start, character_boundary_at_or_before(end));
    std::string removed = m_text.substr(start, end - start);
    const Change change = replace(start, end, {});
    if (change.removed)
        record(change, std::move(removed), UndoGrouping::MergeTyping);
    return change;
}

EditBuffer::Change EditBuffer::undo() {
    if (!m_undo.valid)
        return Change{};
    UndoStep step = std::move(m_undo);
    std::string now = m_text.substr(step.position, step.inserted);
    const Change change = replace(step.position, step.position + step.inserted, step.removed);
    m_undo = UndoStep{true, false, step.position, std::move(now), step.removed.size()};
    m_anchor = step.position;
    m_caret = step.position + step.removed.size();
    return change;
}

size_t EditBuffer::next_position(size_t position) const {
    if (position >= m_text.size())
        return m_text.size();
    if (m_text.compare(position, 2, "\r\n") == 0)
        return position + 2;
    ++position;
    while (position < m_text.size() && is_continuation_byte(m_text[position]))
        ++position;
    return position;
}

size_t EditBuffer::previous_position(size_t position) const {
    if (position == 0)
        return 0;
    position = std::min(position, m_text.size());
    if (position >= 2 && m_text.compare(position - 2, 2, "\r\n") == 0)
        return position - 2;
    --position;
    while (position > 0 && is_continuation_byte(m_text[position]))
        --position;
    return position;
}

EditBuffer::CharacterClass EditBuffer::class_at(size_t position) const {
    const auto c = static_cast<unsigned char>(m_text[position]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
        return CharacterClass::Blank;
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
        return CharacterClass::Word;
    return CharacterClass::Other;
}

size_t EditBuffer::next_word_start(size_t position) const {
    const size_t size = m_text.size();
    if (position >= size)
        return size;
    const CharacterClass first = class_at(position);
    if (first != CharacterClass::Blank)
        while (position < size && class_at(position) == first)
            position = next_position(position);
    while (position < size && class_at(position) == CharacterClass::Blank)
        position = next_position(position);
    return position;
}

size_t EditBuffer::previous_word_start(size_t position) const {
    position = std::min(position, m_text.size());
    while (position > 0 && class_at(previous_position(position)) == CharacterClass::Blank)
        position = previous_position(position);
    if (position == 0)
        return 0;
    const CharacterClass word = class_at(previous_position(position));
    while (position > 0 && class_at(previous_position(position)) == word)
        position = previous_position(position);
    return position;
}

std::pair<size_t, size_t> EditBuffer::word_around(size_t position) const {
    position = character_boundary_at_or_before(position);
    if (m_text.empty())
        return {0, 0};
    if (position >= m_text.size())
        position = previous_position(m_text.size());
    const CharacterClass kind = class_at(position);
    size_t start = position;
    while (start > 0 && class_at(previous_position(start)) == kind)
        start = previous_position(start);
    size_t end = next_position(position);
    while (end < m_text.size() && class_at(end) == kind)
        end = next_position(end);
    return {start, end};
}

} // namespace mullion
