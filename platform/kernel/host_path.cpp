#include "host_path.h"

#include "current_directory.h"
#include "drive_map.h"

#include "windows.h"

#include <cctype>
#include <sys/stat.h>
#include <vector>

namespace mullion {
namespace {

char fold(char c) {
    return char(std::tolower((unsigned char)c));
}

std::vector<std::string> split_components(std::string_view text) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == '\\' || c == '/') {
            if (!current.empty())
                parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

bool is_valid_name(std::string_view name, bool wildcards_allowed) {
    for (char c : name) {
        if ((unsigned char)c < 0x20)
            return false;
        switch (c) {
        case '<':
        case '>':
        case ':':
        case '"':
        case '|':
            return false;
        case '*':
        case '?':
            if (!wildcards_allowed)
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

bool exists_on_host(const std::filesystem::path& path, bool& is_directory) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return false;
    is_directory = S_ISDIR(status.st_mode);
    return true;
}

// The directory entry of `directory` whose name equals `name` without regard to case.
std::optional<std::string> find_entry_ignoring_case(const std::filesystem::path& directory,
                                                    const std::string& name) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (names_equal(entry, name))
            return entry;
    }
    return std::nullopt;
}

} // namespace

bool names_equal(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool full_windows_path(std::string_view path, std::string& full) {
    if (path.empty())
        return false;
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
        (path[1] == '\\' || path[1] == '/'))
        return false; // network paths have no drive
    const std::string current = CurrentDirectory::instance().get();
    char drive = current[0];
    std::vector<std::string> components;
    std::string_view rest = path;
    auto rooted = [](std::string_view text) {
        return !text.empty() && (text[0] == '\\' || text[0] == '/');
    };
    if (path.size() >= 2 && path[1] == ':' && std::isalpha((unsigned char)path[0])) {
        drive = char(std::toupper((unsigned char)path[0]));
        rest = path.substr(2);
        // "X:name" is relative to the current directory when that is on X:, else to X:'s root.
        if (!rooted(rest) && drive == std::toupper((unsigned char)current[0]))
            components = split_components(std::string_view(current).substr(2));
    } else if (!rooted(rest)) {
        components = split_components(std::string_view(current).substr(2));
    }
    for (std::string& part : split_components(rest)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!components.empty())
                components.pop_back();
            continue;
        }
        // Windows drops trailing dots and spaces of a name ("name." is "name"); a search
        // pattern keeps them ("*." means names without an extension).
        if (part.find_first_of("*?") != std::string::npos) {
            components.push_back(std::move(part));
            continue;
        }
        size_t keep = part.find_last_not_of(". ");
        if (keep == std::string::npos)
            continue;
        part.erase(keep + 1);
        components.push_back(std::move(part));
    }
    full.assign({char(std::toupper((unsigned char)drive)), ':', '\\'});
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0)
            full += '\\';
        full += components[i];
    }
    return true;
}

DWORD HostPath::error() const {
    switch (status) {
    case PathStatus::Exists:
        return ERROR_SUCCESS;
    case PathStatus::MissingLeaf:
        return ERROR_FILE_NOT_FOUND;
    case PathStatus::MissingParent:
    case PathStatus::NoDrive:
        return ERROR_PATH_NOT_FOUND;
    case PathStatus::NoMedium:
        return ERROR_NOT_READY;
    case PathStatus::TooLong:
        return ERROR_FILENAME_EXCED_RANGE;
    case PathStatus::InvalidName:
        return ERROR_INVALID_NAME;
    }
    return ERROR_PATH_NOT_FOUND;
}

std::string HostPath::leaf() const {
    size_t slash = windows.find_last_of('\\');
    return is_root || slash == std::string::npos ? std::string() : windows.substr(slash + 1);
}

HostPath HostPath::resolve(std::string_view path, Wildcards wildcards) {
    HostPath result;
    if (!full_windows_path(path, result.windows))
        return result; // NoDrive
    if (result.windows.size() >= MAX_PATH) {
        result.status = PathStatus::TooLong;
        return result;
    }
    auto drive = DriveMap::instance().drive(result.windows[0]);
    if (!drive)
        return result;
    std::vector<std::string> components =
        split_components(std::string_view(result.windows).substr(3));
    for (size_t i = 0; i < components.size(); ++i) {
        const bool leaf = i + 1 == components.size();
        if (!is_valid_name(components[i], leaf && wildcards == Wildcards::AllowedInLeaf)) {
            result.status = PathStatus::InvalidName;
            return result;
        }
    }
    result.is_root = components.empty();
    result.host = drive->root;
    bool is_directory = false;
    if (!exists_on_host(result.host, is_directory) || !is_directory) {
        result.status = PathStatus::NoMedium;
        return result;
    }
    result.status = PathStatus::Exists;
    for (size_t i = 0; i < components.size(); ++i) {
        const bool leaf = i + 1 == components.size();
        const std::string& name = components[i];
        if (result.status == PathStatus::Exists) {
            if (!is_directory) {
                result.status = PathStatus::MissingParent;
            } else if (exists_on_host(result.host / name, is_directory)) {
                result.host /= name;
                continue;
            } else if (auto found = find_entry_ignoring_case(result.host, name)) {
                result.host /= *found;
                exists_on_host(result.host, is_directory);
                continue;
            } else {
                result.status = leaf ? PathStatus::MissingLeaf : PathStatus::MissingParent;
            }
        }
        result.host /= name;
    }
    return result;
}

} // namespace mullion
