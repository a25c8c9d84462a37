#include "shell_folders.h"

#include "drive_map.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace mullion {
namespace {

std::filesystem::path home_directory() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

std::filesystem::path config_home() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return config;
    return home_directory() / ".config";
}

} // namespace

std::vector<std::pair<std::string, std::filesystem::path>>
parse_user_dirs(std::string_view text, const std::filesystem::path& home) {
    std::vector<std::pair<std::string, std::filesystem::path>> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const size_t equals = line.find('=');
        if (line.starts_with("#") || equals == std::string_view::npos || !line.starts_with("XDG_"))
            continue;
        const std::string name(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        // The file's format: XDG_NAME_DIR="$HOME/relative" or XDG_NAME_DIR="/absolute".
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            continue;
        value = value.substr(1, value.size() - 2);
        std::filesystem::path path;
        if (value.starts_with("$HOME")) {
            std::string_view rest = value.substr(5);
            while (rest.starts_with("/"))
                rest.remove_prefix(1);
            path = rest.empty() ? home : home / rest;
        } else if (value.starts_with("/")) {
            path = value;
        } else {
            continue;
        }
        entries.emplace_back(name, path);
    }
    return entries;
}

std::vector<std::pair<std::string, std::string>> default_shell_folders() {
    const std::filesystem::path home = home_directory();
    std::ifstream file(config_home() / "user-dirs.dirs");
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto user_dirs = parse_user_dirs(text, home);
    auto user_dir = [&](const char* name, const std::filesystem::path& fallback) {
        for (const auto& entry : user_dirs)
            if (entry.first == name)
                return entry.second;
        return fallback;
    };
    std::vector<std::pair<std::string, std::string>> folders;
    auto add_host = [&](const char* value_name, const std::filesystem::path& path) {
        const std::string windows = DriveMap::instance().windows_path(path);
        if (!windows.empty())
            folders.emplace_back(value_name, windows);
    };
    add_host("Desktop", user_dir("XDG_DESKTOP_DIR", home / "Desktop"));
    add_host("Personal", user_dir("XDG_DOCUMENTS_DIR", home));
    add_host("My Pictures", user_dir("XDG_PICTURES_DIR", home));
    add_host("My Music", user_dir("XDG_MUSIC_DIR", home));
    add_host("My Video", user_dir("XDG_VIDEOS_DIR", home));
    add_host("Templates", user_dir("XDG_TEMPLATES_DIR", home));

    // Folders the desktop has no equivalent for live on drive C:, as on a classic system.
    auto drive_c = DriveMap::instance().drive('C');
    if (!drive_c)
        return folders;
    static constexpr std::pair<const char*, const char*> classic[] = {
        {"Favorites", "Windows\\Favorites"},
        {"Start Menu", "Windows\\Start Menu"},
        {"Programs", "Windows\\Start Menu\\Programs"},
        {"Startup", "Windows\\Start Menu\\Programs\\StartUp"},
        {"Recent", "Windows\\Recent"},
        {"SendTo", "Windows\\SendTo"},
        {"Fonts", "Windows\\Fonts"},
        {"NetHood", "Windows\\NetHood"},
    };
    for (const auto& [value_name, relative] : classic) {
        std::filesystem::path host = drive_c->root;
        std::string part;
        for (const char* c = relative;; ++c) {
            if (*c == '\\' || *c == '\0') {
                host /= part;
                part.clear();
                if (!*c)
                    break;
            } else {
                part += *c;
            }
        }
        std::error_code error;
        std::filesystem::create_directories(host, error);
        folders.emplace_back(value_name, std::string("C:\\") + relative);
    }
    return folders;
}

} // namespace mullion
