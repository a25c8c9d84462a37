#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mullion {

// The lines of an edit control's text: hard breaks at "\r\n" (or a lone "\n") and, when a wrap
// width is set, soft breaks after the last blank that fits, or inside a word too long for a
// whole line. Blanks at a soft break stay at the end of their line even past the margin, as
// a typist expects. Widths come from a measuring function and are cached per character, so
// laying text out is one pass over it; a change re-lays only the lines it touches.
class EditLayout {
public:
    struct Line {
        size_t start = 0; // first byte
        size_t end = 0;   // end of the visible text, before the line break if any
        size_t next = 0;  // start of the following line
        int width = 0;    // pixels from the start to `end`
    };
    // Measures one character (a UTF-8 sequence) in pixels.
    using Measure = std::function<int(std::string_view character)>;

    // A new measure or tab width invalidates the cached widths; call rebuild() afterwards.
    void set_measure(Measure measure, int tab_width);
    // 0 turns wrapping off. `multiline` false treats line breaks as ordinary characters.
    void set_format(bool multiline, int wrap_width);

    void rebuild(const std::string& text);
    // Updates the lines after `removed` bytes at `position` were replaced by `inserted` bytes;
    // `text` is the text after the change.
    void update(const std::string& text, size_t position, size_t removed, size_t inserted);

    size_t line_count() const { return m_lines.size(); }
    const Line& line(size_t index) const { return m_lines[index]; }
    // The line showing the position. A position at a soft break belongs to the line it starts.
    size_t line_of(size_t position) const;
    // The widest line, for horizontal scrolling.
    int widest_line() const;

    // Pixel offset of `position` from the start of its line (`position` within the line).
    int x_of(const std::string& text, const Line& line, size_t position) const;
    // The position in the line nearest to the pixel offset x.
    size_t position_at(const std::string& text, const Line& line, int x) const;
    // The width of one character at pixel offset x of its line (tabs depend on x).
    int advance(std::string_view character, int x) const;

private:
    Line lay_out_line(const std::string& text, size_t start) const;
    int character_width(std::string_view character) const;

    Measure m_measure;
    int m_tab_width = 1;
    bool m_multiline = false;
    int m_wrap_width = 0;
    std::vector<Line> m_lines{Line{}};
    mutable std::array<int, 128> m_ascii_widths{};
    mutable std::unordered_map<std::string, int> m_other_widths;
};

// The byte length of the UTF-8 character that starts with `lead` (1 for stray bytes).
size_t utf8_sequence_length(unsigned char lead);

} // namespace mullion
