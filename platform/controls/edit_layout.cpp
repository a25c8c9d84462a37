// Line breaking and pixel positions of an edit control's text.
#include "edit_layout.h"

#include <algorithm>

namespace mullion {

size_t utf8_sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    return 1;
}

namespace {

std::string_view character_at(const std::string& text, size_t position) {
    const size_t length = utf8_sequence_length(static_cast<unsigned char>(text[position]));
    return std::string_view(text).substr(position, length);
}

// A line break starting at `position`, if any: its length, else 0.
size_t break_length(const std::string& text, size_t position) {
    if (text[position] == '\n')
        return 1;
    if (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n')
        return 2;
    return 0;
}

} // namespace

void EditLayout::set_measure(Measure measure, int tab_width) {
    m_measure = std::move(measure);
    m_tab_width = std::max(1, tab_width);
    m_ascii_widths.fill(-1);
    m_other_widths.clear();
}

void EditLayout::set_format(bool multiline, int wrap_width) {
    m_multiline = multiline;
    m_wrap_width = std::max(0, wrap_width);
}

int EditLayout::character_width(std::string_view character) const {
    if (!m_measure)
        return 0;
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1 && lead < 0x80) {
        int& cached = m_ascii_widths[lead];
        if (cached < 0)
            cached = m_measure(character);
        return cached;
    }
    const auto [entry, inserted] = m_other_widths.try_emplace(std::string(character), 0);
    if (inserted)
        entry->second = m_measure(character);
    return entry->second;
}

int EditLayout::advance(std::string_view character, int x) const {
    if (character == "\t")
        return m_tab_width - x % m_tab_width;
    return character_width(character);
}

EditLayout::Line EditLayout::lay_out_line(const std::string& text, size_t start) const {
    const bool wrapping = m_multiline && m_wrap_width > 0;
    int x = 0;
    size_t position = start;
    size_t last_blank_end = start; // a soft break may follow the blanks ending here
    int width_at_blank_end = 0;
    while (position < text.size()) {
        if (m_multiline) {
            if (const size_t line_break = break_length(text, position))
                return Line{start, position, position + line_break, x};
        }
        const std::string_view character = character_at(text, position);
        const int width = advance(character, x);
        const bool blank = character == " " || character == "\t";
        if (wrapping && !blank && x + width > m_wrap_width && position > start) {
            if (last_blank_end > start)
                return Line{start, last_blank_end, last_blank_end, width_at_blank_end};
            return Line{start, position, position, x};
        }
        x += width;
        position += character.size();
        if (blank) {
            last_blank_end = position;
            width_at_blank_end = x;
        }
    }
    return Line{start, position, position, x};
}

void EditLayout::rebuild(const std::string& text) {
    m_lines.clear();
    size_t start = 0;
    while (true) {
        const Line line = lay_out_line(text, start);
        m_lines.push_back(line);
        if (line.end >= text.size())
            break;
        start = line.next;
    }
}

void EditLayout::update(const std::string& text, size_t position, size_t removed, size_t inserted) {
    // Start one line early: a shorter word may now fit at the end of the previous line.
    size_t first = line_of(position);
    if (first > 0)
        --first;
    const std::vector<Line> old_lines(m_lines.begin() + std::ptrdiff_t(first), m_lines.end());
    m_lines.resize(first);
    const size_t changed_end = position + inserted; // in the new text
    const size_t old_changed_end = position + removed;
    size_t old_index = 0;
    size_t start = old_lines.front().start;
    while (true) {
        // Once a line starts after the change where an old line started, the rest is as before.
        if (start >= changed_end) {
            const size_t old_start = start - inserted + removed;
            while (old_index < old_lines.size() && old_lines[old_index].start < old_start)
                ++old_index;
            if (old_index < old_lines.size() && old_lines[old_index].start == old_start &&
                old_start >= old_changed_end) {
                for (size_t i = old_index; i < old_lines.size(); ++i) {
                    Line shifted = old_lines[i];
                    shifted.start = shifted.start - removed + inserted;
                    shifted.end = shifted.end - removed + inserted;
                    shifted.next = shifted.next - removed + inserted;
                    m_lines.push_back(shifted);
                }
                return;
            }
        }
        const Line line = lay_out_line(text, start);
        m_lines.push_back(line);
        if (line.end >= text.size())
            return;
        start = line.next;
    }
}

size_t EditLayout::line_of(size_t position) const {
    // The last line starting at or before the position.
    const auto after = std::upper_bound(m_lines.begin(), m_lines.end(), position,
                                        [](size_t p, const Line& line) { return p < line.start; });
    return after == m_lines.begin() ? 0 : size_t(after - m_lines.begin()) - 1;
}

int EditLayout::widest_line() const {
    int widest = 0;
    for (const Line& line : m_lines)
        widest = std::max(widest, line.width);
    return widest;
}

int EditLayout::x_of(const std::string& text, const Line& line, size_t position) const {
    int x = 0;
    for (size_t p = line.start; p < std::min(position, line.end);) {
        const std::string_view character = character_at(text, p);
        x += advance(character, x);
        p += character.size();
    }
    return x;
}

size_t EditLayout::position_at(const std::string& text, const Line& line, int x) const {
    int left = 0;
    for (size_t p = line.start; p < line.end;) {
        const std::string_view character = character_at(text, p);
        const int width = advance(character, left);
        if (x < left + (width + 1) / 2)
            return p;
        left += width;
        p += character.size();
    }
    return line.end;
}

} // namespace mullion
