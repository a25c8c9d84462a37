#include "wildcard_match.h"

#include <cctype>
#include <string>
#include <vector>

namespace mullion {
namespace {

// The pattern after translation to the file system's matching operators.
enum : char {
    AnyRun = '*',
    RunToLastDot = '<', // "*" before a dot
    OneOrNone = '>',    // every "?"
    DotOrEnd = '"',     // a dot before a wildcard, or the pattern's final dot
};

std::string translate(std::string_view pattern) {
    if (pattern.size() >= 3 && pattern.substr(pattern.size() - 3) == "*.*")
        pattern.remove_suffix(2); // "X*.*" is "X*"
    std::string result;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?')
            result += OneOrNone;
        else if (c == '*' && next == '.')
            result += RunToLastDot;
        else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
            result += DotOrEnd;
        else
            result += c;
    }
    return result;
}

char fold(char c) {
    return char(std::tolower((unsigned char)c));
}

} // namespace

bool wildcard_match(std::string_view pattern_text, std::string_view name) {
    const std::string pattern = translate(pattern_text);
    const size_t last_dot = name.rfind('.');
    // reachable[p][n]: the first p pattern operators can consume the first n characters.
    const size_t columns = name.size() + 1;
    std::vector<char> reachable((pattern.size() + 1) * columns, 0);
    auto at = [&](size_t p, size_t n) -> char& { return reachable[p * columns + n]; };
    at(0, 0) = 1;
    for (size_t p = 0; p < pattern.size(); ++p) {
        const char op = pattern[p];
        for (size_t n = 0; n <= name.size(); ++n) {
            if (!at(p, n))
                continue;
            const bool more = n < name.size();
            switch (op) {
            case AnyRun:
                for (size_t m = n; m <= name.size(); ++m)
                    at(p + 1, m) = 1;
                break;
            case RunToLastDot:
                // Any run that does not pass the name's last dot (all of it if none).
                for (size_t m = n;; ++m) {
                    at(p + 1, m) = 1;
                    if (m == name.size() || m == last_dot)
                        break;
                }
                break;
            case OneOrNone:
                if (more && name[n] != '.')
                    at(p + 1, n + 1) = 1;
                else
                    at(p + 1, n) = 1;
                break;
            case DotOrEnd:
                if (more && name[n] == '.')
                    at(p + 1, n + 1) = 1;
                else if (!more)
                    at(p + 1, n) = 1;
                break;
            default:
                if (more && fold(name[n]) == fold(op))
                    at(p + 1, n + 1) = 1;
                break;
            }
        }
    }
    return at(pattern.size(), name.size());
}

} // namespace mullion
