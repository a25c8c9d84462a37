#pragma once

#include "windef.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mullion {

// The drive letters programs see and the host directories behind them. By default C: is
// $XDG_DATA_HOME/mullion/drive_c (created on first use) and Z: is the host's root. The
// variable MULLION_DRIVES="C=/some/dir;D=/media/cdrom:cdrom" replaces or adds drives, each
// LETTER=HOST_DIRECTORY[:TYPE[:FREE_BYTES]] with TYPE fixed (default), cdrom, remote,
// removable or ramdisk; FREE_BYTES makes the drive report that much free space. "Z=" with
// no directory removes a drive.
class DriveMap {
public:
    struct Drive {
        char letter = 0; // upper case
        std::filesystem::path root;
        UINT type = 3; // DRIVE_FIXED
        std::optional<unsigned long long> free_bytes;
    };

    static DriveMap& instance();

    // Reads the environment again (tests change MULLION_DRIVES between cases).
    void reload();

    std::optional<Drive> drive(char letter);
    // Bit 0 for A:, bit 1 for B:, ... as GetLogicalDrives reports them.
    DWORD mask();
    // The Windows path ("X:\dir\file") of a host path, through the drive whose directory
    // holds it most closely; empty when no drive holds it.
    std::string windows_path(const std::filesystem::path& host_path);
    // The same through one given drive only; empty when that drive does not hold the path.
    std::string windows_path_on(char letter, const std::filesystem::path& host_path);

    // Parses a MULLION_DRIVES value over `drives`; entries that do not parse are ignored.
    static void apply_overrides(std::vector<Drive>& drives, const std::string& spec);

private:
    DriveMap() = default;
    void load_locked();

    std::mutex m_mutex;
    bool m_loaded = false;
    std::vector<Drive> m_drives;
};

} // namespace mullion
