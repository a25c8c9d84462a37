#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mullion {

// The contents of a shortcut (.lnk) file in the shell link binary format: a 76-byte header,
// a LinkInfo naming the target by its Windows path, and the Unicode string data. Strings are
// UTF-8 here.
struct ShellLinkFile {
    uint32_t file_attributes = 0;
    uint64_t creation_time = 0;
    uint64_t access_time = 0;
    uint64_t write_time = 0;
    uint32_t file_size = 0;
    int32_t icon_index = 0;
    uint32_t show_command = 1; // SW_SHOWNORMAL
    uint16_t hotkey = 0;
    uint32_t drive_type = 3; // DRIVE_FIXED, of the volume of a local target
    uint32_t drive_serial_number = 0;

    std::string target_path; // "C:\dir\file", or a network path "\\server\share\dir"
    std::string description;
    std::string working_directory;
    std::string arguments;
    std::string icon_location;

    std::vector<uint8_t> encode() const;
    // Reads a file's bytes; nothing when they are not a well-formed shell link.
    static std::optional<ShellLinkFile> decode(std::span<const uint8_t> bytes);
};

} // namespace mullion
