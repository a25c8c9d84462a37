#pragma once

#include "windows.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// Turns DrawTextA's text and format into lines: prefix characters resolved, lines broken at
// line breaks and (DT_WORDBREAK) at spaces to fit the width, ellipses applied, tabs expanded.
// Widths come from a measuring function, so the layout does not depend on a device.
class DrawTextLayout {
public:
    using Measure = std::function<int(std::string_view)>;

    struct Segment {
        std::string_view text; // into Line::text
        int x;                 // from the start of the line
    };
    struct Line {
        std::string text;
        // Byte offsets in `text` of characters a prefix '&' underlines.
        std::vector<size_t> underlined;
        int width = 0;
    };

    // `max_width` is the formatting rectangle's width; `tab_width` the distance between tab
    // stops (used with DT_EXPANDTABS).
    DrawTextLayout(std::string_view text, UINT format, int max_width, Measure measure,
                   int tab_width);

    const std::vector<Line>& lines() const { return m_lines; }
    // The widest line.
    int width() const { return m_width; }
    // The pieces of a line between tabs with their positions (one piece without tabs).
    std::vector<Segment> segments(const Line& line) const;
    // The pen position and width of the character at `offset` in a line.
    int position_of(const Line& line, size_t offset) const;
    int character_width(const Line& line, size_t offset) const;

private:
    int line_width(std::string_view text) const;
    bool expands_tabs() const { return (m_format & DT_EXPANDTABS) && m_tab_width > 0; }
    void add_paragraph(std::string_view paragraph);
    void add_line(std::string_view text, size_t paragraph_offset);
    void apply_ellipsis(Line& line) const;

    UINT m_format;
    int m_max_width;
    Measure m_measure;
    int m_tab_width;
    // The current paragraph after prefix processing, and its underlined offsets.
    std::string m_paragraph;
    std::vector<size_t> m_paragraph_underlined;
    std::vector<Line> m_lines;
    int m_width = 0;
};

} // namespace mullion
