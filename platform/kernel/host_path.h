#pragma once

#include "windef.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace mullion {

// How far a Windows path was found on the host.
enum class PathStatus {
    Exists,
    MissingLeaf,   // the directory exists, the last component does not
    MissingParent, // a directory on the way does not exist (or is a file)
    NoDrive,       // no such drive letter
    NoMedium,      // a removable or CD-ROM drive whose directory is absent
    TooLong,       // the full path does not fit in MAX_PATH
    InvalidName,   // a component holds a character Windows file names cannot hold
};

enum class Wildcards { Refused, AllowedInLeaf };

// A Windows path turned into a host path. Components that do not exist with their exact
// case are looked up without regard to case; components that are missing keep the case
// they were given, so creating them makes names as the program wrote them.
struct HostPath {
    std::string windows; // the full Windows path, "X:\dir\name" ("X:\" for a root)
    std::filesystem::path host;
    PathStatus status = PathStatus::NoDrive;
    bool is_root = false;

    bool exists() const { return status == PathStatus::Exists; }
    // The Win32 error code for the status: ERROR_FILE_NOT_FOUND for a missing leaf,
    // ERROR_PATH_NOT_FOUND for a missing directory, and so on; ERROR_SUCCESS if it exists.
    DWORD error() const;
    // The name of the last component ("" for a root).
    std::string leaf() const;

    static HostPath resolve(std::string_view path, Wildcards wildcards = Wildcards::Refused);
};

// The full Windows form of a path: made absolute against the current directory, "/" read as
// "\", "." and ".." folded, repeated separators and trailing dots and spaces of names
// dropped. Returns false when the path names no drive path (empty, or a network path).
bool full_windows_path(std::string_view path, std::string& full);

// Windows name comparison: letters compare without regard to case.
bool names_equal(std::string_view a, std::string_view b);

} // namespace mullion
