#pragma once

#include "windows.h"

#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// The filters of a file dialog, from OPENFILENAMEA's lpstrFilter: pairs of zero-terminated
// strings (a name such as "Text Files (*.txt)", then patterns separated by semicolons such as
// "*.txt;*.doc"), ended by an empty string.
class FileFilter {
public:
    struct Entry {
        std::string name;
        std::string patterns;
    };

    // An absent or empty list gives the single entry "*.*".
    static FileFilter parse(LPCSTR filter_list);

    const std::vector<Entry>& entries() const { return m_entries; }
    // Whether the file name matches one of the semicolon-separated patterns.
    static bool matches(std::string_view patterns, std::string_view name);
    // Whether the text asks for a pattern rather than a file (it holds "*" or "?").
    static bool is_pattern(std::string_view text);

private:
    std::vector<Entry> m_entries;
};

} // namespace mullion
