#include "file_filter.h"

#include "kernel/wildcard_match.h"

#include <cstring>

namespace mullion {

FileFilter FileFilter::parse(LPCSTR filter_list) {
    FileFilter filter;
    const char* p = filter_list;
    while (p && *p) {
        Entry entry;
        entry.name = p;
        p += std::strlen(p) + 1;
        // A name without patterns ends the list.
        if (!*p)
            break;
        entry.patterns = p;
        p += std::strlen(p) + 1;
        filter.m_entries.push_back(std::move(entry));
    }
    if (filter.m_entries.empty())
        filter.m_entries.push_back({"*.*", "*.*"});
    return filter;
}

bool FileFilter::matches(std::string_view patterns, std::string_view name) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string_view::npos)
            end = patterns.size();
        std::string_view pattern = patterns.substr(start, end - start);
        while (!pattern.empty() && pattern.front() == ' ')
            pattern.remove_prefix(1);
        while (!pattern.empty() && pattern.back() == ' ')
            pattern.remove_suffix(1);
        if (!pattern.empty() && wildcard_match(pattern, name))
            return true;
        start = end + 1;
    }
    return false;
}

bool FileFilter::is_pattern(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

} // namespace mullion
