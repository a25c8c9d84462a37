#include "drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace mullion {
namespace {

std::filesystem::path xdg_data_home() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return data;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
}

std::optional<UINT> parse_drive_type(std::string_view name) {
    if (name.empty() || name == "fixed")
        return 3; // DRIVE_FIXED
    if (name == "removable")
        return 2;
    if (name == "remote")
        return 4;
    if (name == "cdrom")
        return 5;
    if (name == "ramdisk")
        return 6;
    return std::nullopt;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

DriveMap& DriveMap::instance() {
    static DriveMap map;
    return map;
}

void DriveMap::reload() {
    std::lock_guard lock(m_mutex);
    m_loaded = false;
}

void DriveMap::apply_overrides(std::vector<Drive>& drives, const std::string& spec) {
    for (const std::string& entry : split(spec, ';')) {
        if (entry.size() < 2 || entry[1] != '=' || !std::isalpha((unsigned char)entry[0]))
            continue;
        Drive drive;
        drive.letter = char(std::toupper((unsigned char)entry[0]));
        std::vector<std::string> fields = split(entry.substr(2), ':');
        auto type = parse_drive_type(fields.size() > 1 ? fields[1] : "");
        if (!type)
            continue;
        drive.type = *type;
        if (fields.size() > 2) {
            char* end = nullptr;
            unsigned long long bytes = std::strtoull(fields[2].c_str(), &end, 10);
            if (fields[2].empty() || *end)
                continue;
            drive.free_bytes = bytes;
        }
        std::erase_if(drives, [&](const Drive& d) { return d.letter == drive.letter; });
        if (fields[0].empty())
            continue;
        drive.root = std::filesystem::path(fields[0]).lexically_normal();
        drives.push_back(std::move(drive));
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

void DriveMap::load_locked() {
    if (m_loaded)
        return;
    m_drives.clear();
    m_drives.push_back(Drive{'C', xdg_data_home() / "mullion" / "drive_c", 3, std::nullopt});
    m_drives.push_back(Drive{'Z', "/", 3, std::nullopt});
    if (const char* spec = std::getenv("MULLION_DRIVES"))
        apply_overrides(m_drives, spec);
    m_loaded = true;
}

std::optional<DriveMap::Drive> DriveMap::drive(char letter) {
    letter = char(std::toupper((unsigned char)letter));
    std::lock_guard lock(m_mutex);
    load_locked();
    for (const Drive& drive : m_drives) {
        if (drive.letter != letter)
            continue;
        // A fixed drive's directory exists from its first use on; removable and CD-ROM
        // drives without their directory are drives without a medium.
        if (drive.type == 3 || drive.type == 6) {
            std::error_code error;
            std::filesystem::create_directories(drive.root, error);
        }
        return drive;
    }
    return std::nullopt;
}

DWORD DriveMap::mask() {
    std::lock_guard lock(m_mutex);
    load_locked();
    DWORD bits = 0;
    for (const Drive& drive : m_drives)
        bits |= DWORD(1) << (drive.letter - 'A');
    return bits;
}

namespace {

// The part of `path` below `root`, or none when `root` does not hold it.
std::optional<std::filesystem::path> relative_below(const std::filesystem::path& root,
                                                    const std::filesystem::path& path) {
    auto root_it = root.begin();
    auto path_it = path.begin();
    for (; root_it != root.end(); ++root_it, ++path_it) {
        if (root_it->empty()) // a trailing separator of the root
            continue;
        if (path_it == path.end() || *root_it != *path_it)
            return std::nullopt;
    }
    std::filesystem::path rest;
    for (; path_it != path.end(); ++path_it)
        if (!path_it->empty())
            rest /= *path_it;
    return rest;
}

std::string join_windows(char letter, const std::filesystem::path& rest) {
    std::string result{letter, ':', '\\'};
    for (const auto& part : rest) {
        if (part == "/")
            continue;
        if (result.back() != '\\')
            result += '\\';
        result += part.string();
    }
    return result;
}

} // namespace

std::string DriveMap::windows_path(const std::filesystem::path& host_path) {
    const std::filesystem::path path = host_path.lexically_normal();
    std::lock_guard lock(m_mutex);
    load_locked();
    const Drive* best = nullptr;
    std::filesystem::path best_rest;
    size_t best_depth = 0;
    for (const Drive& drive : m_drives) {
        auto rest = relative_below(drive.root, path);
        if (!rest)
            continue;
        size_t depth = size_t(std::distance(drive.root.begin(), drive.root.end()));
        if (!best || depth > best_depth) {
            best = &drive;
            best_rest = *rest;
            best_depth = depth;
        }
    }
    return best ? join_windows(best->letter, best_rest) : std::string();
}

std::string DriveMap::windows_path_on(char letter, const std::filesystem::path& host_path) {
    auto chosen = drive(letter);
    if (!chosen)
        return {};
    auto rest = relative_below(chosen->root, host_path.lexically_normal());
    return rest ? join_windows(chosen->letter, *rest) : std::string();
}

} // namespace mullion
