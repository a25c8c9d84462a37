#pragma once

#include "windows.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace mullion {

// What Win32 reports about a host file: its attributes, times and size.
struct FileInfo {
    DWORD attributes = 0;
    FILETIME creation_time{};
    FILETIME last_access_time{};
    FILETIME last_write_time{};
    uint64_t size = 0;
};

// Attributes from the host: directories, read-only when no write permission bit is set,
// hidden when the name begins with a dot ("." and ".." excepted); a file with none of these
// is FILE_ATTRIBUTE_NORMAL.
std::optional<FileInfo> host_file_info(const std::filesystem::path& host, std::string_view name);
// The same for an open file descriptor (its name plays no part).
std::optional<FileInfo> open_file_info(int descriptor);

} // namespace mullion
