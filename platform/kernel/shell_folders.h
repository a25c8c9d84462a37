#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace mullion {

// The per-user shell folders ("Desktop", "Personal", "Favorites", ...) as Windows paths:
// the XDG user directories from $XDG_CONFIG_HOME/user-dirs.dirs where the desktop has one,
// and folders on drive C: (created here) for the rest.
std::vector<std::pair<std::string, std::string>> default_shell_folders();

// Reads the XDG_*_DIR entries of a user-dirs.dirs text; "$HOME" is replaced by `home`.
std::vector<std::pair<std::string, std::filesystem::path>>
parse_user_dirs(std::string_view text, const std::filesystem::path& home);

} // namespace mullion
