// GetLogicalDrives, GetLogicalDriveStringsA, GetDriveTypeA and GetDiskFreeSpaceA.
#include "current_directory.h"
#include "drive_map.h"

#include "windows.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sys/statvfs.h>

namespace mullion {
namespace {

// The drive a root path such as "C:\" names; null means the current directory's drive.
std::optional<DriveMap::Drive> drive_of_root(LPCSTR root) {
    std::string text = root ? root : CurrentDirectory::instance().get().substr(0, 3);
    const bool is_root = (text.size() == 2 || (text.size() == 3 && text[2] == '\\')) &&
                         std::isalpha((unsigned char)text[0]) && text[1] == ':';
    if (!is_root)
        return std::nullopt;
    return DriveMap::instance().drive(text[0]);
}

// The classic free-space query reports at most 2 GB, as documented, in clusters of up to 64
// sectors of 512 bytes: free clusters times sectors per cluster times bytes per sector then
// never overflows 32 bits.
struct ClassicDiskSpace {
    DWORD sectors_per_cluster;
    DWORD bytes_per_sector;
    DWORD free_clusters;
    DWORD total_clusters;
};

ClassicDiskSpace classic_disk_space(unsigned long long free_bytes, unsigned long long total_bytes,
                                    unsigned long long block_size) {
    constexpr unsigned long long limit = 0x80000000ULL; // 2 GB
    constexpr DWORD sector = 512;
    const DWORD sectors = DWORD(std::clamp<unsigned long long>(block_size / sector, 1, 64));
    const unsigned long long cluster = sectors * sector;
    return ClassicDiskSpace{sectors, sector, DWORD(std::min(free_bytes, limit) / cluster),
                            DWORD(std::min(total_bytes, limit) / cluster)};
}

} // namespace
} // namespace mullion

using namespace mullion;

DWORD WINAPI GetLogicalDrives(void) {
    return DriveMap::instance().mask();
}

DWORD WINAPI GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer) {
    const DWORD mask = DriveMap::instance().mask();
    std::string strings;
    for (int bit = 0; bit < 26; ++bit) {
        if (mask & (DWORD(1) << bit)) {
            strings += char('A' + bit);
            strings += ":\\";
            strings += '\0';
        }
    }
    // The list ends with a second NUL; the result counts neither final NUL.
    if (!lpBuffer || nBufferLength < strings.size() + 1)
        return DWORD(strings.size() + 1);
    std::copy(strings.begin(), strings.end(), lpBuffer);
    lpBuffer[strings.size()] = '\0';
    return DWORD(strings.size());
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName) {
    auto drive = drive_of_root(lpRootPathName);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

BOOL WINAPI GetDiskFreeSpaceA(LPCSTR lpRootPathName, LPDWORD lpSectorsPerCluster,
                              LPDWORD lpBytesPerSector, LPDWORD lpNumberOfFreeClusters,
                              LPDWORD lpTotalNumberOfClusters) {
    auto drive = drive_of_root(lpRootPathName);
    if (!drive) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct statvfs status;
    if (statvfs(drive->root.c_str(), &status) != 0) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    const unsigned long long unit = status.f_frsize ? status.f_frsize : status.f_bsize;
    const unsigned long long total = (unsigned long long)(status.f_blocks) * unit;
    const unsigned long long free =
        drive->free_bytes.value_or((unsigned long long)(status.f_bavail) * unit);
    const ClassicDiskSpace space =
        classic_disk_space(free, std::max(total, free), drive->free_bytes ? 512 : unit);
    if (lpSectorsPerCluster)
        *lpSectorsPerCluster = space.sectors_per_cluster;
    if (lpBytesPerSector)
        *lpBytesPerSector = space.bytes_per_sector;
    if (lpNumberOfFreeClusters)
        *lpNumberOfFreeClusters = space.free_clusters;
    if (lpTotalNumberOfClusters)
        *lpTotalNumberOfClusters = space.total_clusters;
    return TRUE;
}
