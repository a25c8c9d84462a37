#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// Builds a JSON text, indented two blanks a level; arrays of numbers can stay on one line.
// Keys and values are written in the order given; the writer places commas and line breaks.
class JsonWriter {
public:
    enum class Layout { Indented, Inline };

    void begin_object();
    void end_object();
    void begin_array(Layout layout = Layout::Indented);
    void end_array();
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(long long number);
    void value(int number) { value(static_cast<long long>(number)); }
    void value(bool flag);
    void null();

    const std::string& text() const { return m_text; }

private:
    struct Level {
        Layout layout;
        bool empty = true;
    };
    void before_value();
    void close(char bracket);
    void new_line();

    std::string m_text;
    std::vector<Level> m_levels;
    bool m_after_key = false;
};

// A JSON string literal: quotes, backslashes and control characters escaped (control characters
// as \u00XX), UTF-8 kept as it is, a byte that is not valid UTF-8 replaced by U+FFFD.
std::string json_quote(std::string_view text);

} // namespace mullion
