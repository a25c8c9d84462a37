#include "draw_text_layout.h"

#include <algorithm>

namespace mullion {

namespace {

constexpr std::string_view ellipsis = "...";

size_t utf8_length_at(std::string_view text, size_t offset) {
    const unsigned char lead = static_cast<unsigned char>(text[offset]);
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - offset);
}

// Removes the last UTF-8 character of `text`.
void pop_character(std::string& text) {
    size_t end = text.size();
    while (end > 0) {
        --end;
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80)
            break;
    }
    text.resize(end);
}

} // namespace

DrawTextLayout::DrawTextLayout(std::string_view text, UINT format, int max_width, Measure measure,
                               int tab_width)
    : m_format(format), m_max_width(max_width), m_measure(std::move(measure)),
      m_tab_width(tab_width) {
    if (format & DT_SINGLELINE) {
        add_paragraph(text);
        return;
    }
    // "\r\n", "\n" and "\r" each end a line; a break at the very end starts no new line.
    size_t start = 0;
    while (true) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            if (start < text.size() || m_lines.empty())
                add_paragraph(text.substr(start));
            break;
        }
        add_paragraph(text.substr(start, end - start));
        start =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        if (start >= text.size())
            break;
    }
}

void DrawTextLayout::add_paragraph(std::string_view paragraph) {
    m_paragraph.clear();
    m_paragraph_underlined.clear();
    if (m_format & DT_NOPREFIX) {
        m_paragraph = paragraph;
    } else {
        // "&x" underlines x, "&&" is a literal '&'.
        for (size_t i = 0; i < paragraph.size(); ++i) {
            if (paragraph[i] == '&' && i + 1 < paragraph.size()) {
                ++i;
                if (paragraph[i] != '&')
                    m_paragraph_underlined.push_back(m_paragraph.size());
            } else if (paragraph[i] == '&') {
                continue;
            }
            m_paragraph += paragraph[i];
        }
    }

    const std::string_view text = m_paragraph;
    if (!(m_format & DT_WORDBREAK) || (m_format & DT_SINGLELINE) || text.empty()) {
        add_line(text, 0);
        return;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        // Extend the line word by word while it fits; spaces before a word belong to it.
        size_t fitting = std::string_view::npos;
        size_t first_word_end = std::string_view::npos;
        for (size_t i = pos; i < text.size();) {
            while (i < text.size() && text[i] == ' ')
                ++i;
            while (i < text.size() && text[i] != ' ')
                ++i;
            if (first_word_end == std::string_view::npos)
                first_word_end = i;
            if (line_width(text.substr(pos, i - pos)) > m_max_width)
                break;
            fitting = i;
        }
        if (fitting == std::string_view::npos) {
            // A word wider than the line keeps a line of its own; edit controls break it.
            fitting = first_word_end;
            if (m_format & DT_EDITCONTROL) {
                size_t end = pos + utf8_length_at(text, pos);
                while (end < first_word_end) {
                    const size_t next = end + utf8_length_at(text, end);
                    if (line_width(text.substr(pos, next - pos)) > m_max_width)
                        break;
                    end = next;
                }
                fitting = end;
            }
        }
        add_line(text.substr(pos, fitting - pos), pos);
        pos = fitting;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    }
}

void DrawTextLayout::add_line(std::string_view text, size_t paragraph_offset) {
    Line line;
    line.text = text;
    for (size_t offset : m_paragraph_underlined) {
        if (offset >= paragraph_offset && offset < paragraph_offset + text.size())
            line.underlined.push_back(offset - paragraph_offset);
    }
    line.width = line_width(line.text);
    if (line.width > m_max_width &&
        (m_format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)))
        apply_ellipsis(line);
    m_width = std::max(m_width, line.width);
    m_lines.push_back(std::move(line));
}

void DrawTextLayout::apply_ellipsis(Line& line) const {
    std::string head = line.text;
    std::string tail;
    if (m_format & DT_PATH_ELLIPSIS) {
        // Keep the last path component whole and shorten what precedes it.
        const size_t separator = line.text.find_last_of("\\/");
        if (separator != std::string::npos) {
            head = line.text.substr(0, separator);
            tail = line.text.substr(separator);
        }
    }
    auto candidate = [&] { return head + std::string(ellipsis) + tail; };
    while (!head.empty() && line_width(candidate()) > m_max_width)
        pop_character(head);
    std::erase_if(line.underlined, [&](size_t offset) { return offset >= head.size(); });
    line.text = candidate();
    line.width = line_width(line.text);
}

int DrawTextLayout::line_width(std::string_view text) const {
    if (!expands_tabs())
        return m_measure(text);
    int x = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = text.find('\t', start);
        x += m_measure(text.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return x;
        x = (x / m_tab_width + 1) * m_tab_width;
        start = tab + 1;
    }
}

std::vector<DrawTextLayout::Segment> DrawTextLayout::segments(const Line& line) const {
    const std::string_view text = line.text;
    if (!expands_tabs())
        return {Segment{text, 0}};
    std::vector<Segment> result;
    int x = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = text.find('\t', start);
        const std::string_view piece =
            text.substr(start, tab == std::string_view::npos ? tab : tab - start);
        result.push_back(Segment{piece, x});
        if (tab == std::string_view::npos)
            return result;
        x = ((x + m_measure(piece)) / m_tab_width + 1) * m_tab_width;
        start = tab + 1;
    }
}

int DrawTextLayout::position_of(const Line& line, size_t offset) const {
    for (const Segment& segment : segments(line)) {
        const size_t start = size_t(segment.text.data() - line.text.data());
        if (offset >= start && offset <= start + segment.text.size())
            return segment.x + m_measure(segment.text.substr(0, offset - start));
    }
    return line.width;
}

int DrawTextLayout::character_width(const Line& line, size_t offset) const {
    if (offset >= line.text.size())
        return 0;
    return m_measure(std::string_view(line.text).substr(offset, utf8_length_at(line.text, offset)));
}

} // namespace mullion
