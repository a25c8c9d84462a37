// GetFileAttributesA and SetFileAttributesA. Only the read-only attribute can be changed:
// it clears the host's write permission bits, and clearing it gives the owner write
// permission back. Hidden follows the name (a leading dot) and cannot be set.
#include "file_info.h"
#include "host_path.h"

#include <sys/stat.h>

using namespace mullion;

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    const HostPath path = HostPath::resolve(lpFileName);
    if (!path.exists()) {
        SetLastError(path.error());
        return INVALID_FILE_ATTRIBUTES;
    }
    auto info = host_file_info(path.host, path.leaf());
    if (!info) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_FILE_ATTRIBUTES;
    }
    return info->attributes;
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const HostPath path = HostPath::resolve(lpFileName);
    if (!path.exists()) {
        SetLastError(path.error());
        return FALSE;
    }
    struct stat status;
    if (stat(path.host.c_str(), &status) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    mode_t mode = status.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        mode |= S_IWUSR;
    if (mode != (status.st_mode & 07777) && chmod(path.host.c_str(), mode) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
