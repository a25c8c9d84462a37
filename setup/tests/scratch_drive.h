// A scratch directory that the tests see as drive C:, with the registry and the user's data
// kept inside it too. It is made before any test runs and removed when the process ends.
#pragma once

#include <filesystem>
#include <string>

namespace scratch {

// The host directory behind C:.
const std::filesystem::path& drive_root();
// The host path of a Windows path on C: ("C:\a\b" is drive_root()/a/b).
std::filesystem::path host_path(const std::string& windows_path);

void write_file(const std::filesystem::path& path, const std::string& contents);
std::string read_file(const std::filesystem::path& path);

} // namespace scratch
