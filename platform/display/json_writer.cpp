#include "json_writer.h"

#include <cstdio>

namespace mullion {

namespace {

// The length of the valid UTF-8 sequence starting text[i], 0 when it is not one.
size_t utf8_sequence_length(std::string_view text, size_t i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned int minimum = 0;
    unsigned int code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate)
        return 0;
    return length;
}

} // namespace

std::string json_quote(std::string_view text) {
    std::string quoted = "\"";
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else if (c >= 0x80) {
            size_t length = utf8_sequence_length(text, i);
            if (length == 0) {
                quoted += "\\ufffd";
                ++i;
                continue;
            }
            quoted.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            quoted += char(c);
        }
        ++i;
    }
    quoted += '"';
    return quoted;
}

void JsonWriter::new_line() {
    m_text += '\n';
    m_text.append(m_levels.size() * 2, ' ');
}

void JsonWriter::before_value() {
    if (m_after_key) {
        m_after_key = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (!level.empty)
        m_text += level.layout == Layout::Inline ? ", " : ",";
    if (level.layout == Layout::Indented)
        new_line();
    level.empty = false;
}

void JsonWriter::begin_object() {
    before_value();
    m_text += '{';
    m_levels.push_back({Layout::Indented});
}

void JsonWriter::end_object() {
    close('}');
}

void JsonWriter::begin_array(Layout layout) {
    before_value();
    m_text += '[';
    m_levels.push_back({layout});
}

void JsonWriter::end_array() {
    close(']');
}

void JsonWriter::close(char bracket) {
    Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty && level.layout == Layout::Indented)
        new_line();
    m_text += bracket;
}

void JsonWriter::key(std::string_view name) {
    before_value();
    m_text += json_quote(name);
    m_text += ": ";
    m_after_key = true;
}

void JsonWriter::value(std::string_view text) {
    before_value();
    m_text += json_quote(text);
}

void JsonWriter::value(long long number) {
    before_value();
    m_text += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    before_value();
    m_text += flag ? "true" : "false";
}

void JsonWriter::null() {
    before_value();
    m_text += "null";
}

} // namespace mullion
