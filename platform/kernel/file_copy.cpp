// CopyFileA, MoveFileA and DeleteFileA. A copy takes over the source's permission bits (so its
// read-only attribute) and last-write time, as Windows copies attributes and times; a copy
// that fails part way removes what it wrote.
#include "file_info.h"
#include "host_path.h"

#include "windows.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mullion {
namespace {

bool copy_contents(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return false;
            done += put;
        }
    }
}

// Resolves a source that must be an existing file; sets the last error otherwise.
bool existing_file(LPCSTR name, HostPath& path) {
    path = HostPath::resolve(name ? name : "");
    if (!path.exists()) {
        SetLastError(path.error());
        return false;
    }
    struct stat status;
    if (stat(path.host.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

// Resolves a destination whose directory must exist; sets the last error otherwise.
bool destination(LPCSTR name, HostPath& path) {
    path = HostPath::resolve(name ? name : "");
    if (!path.exists() && path.status != PathStatus::MissingLeaf) {
        SetLastError(path.error());
        return false;
    }
    return true;
}

bool is_read_only(const HostPath& path) {
    auto info = host_file_info(path.host, path.leaf());
    return info && (info->attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace
} // namespace mullion

using namespace mullion;

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    HostPath source, target;
    if (!existing_file(lpExistingFileName, source) || !destination(lpNewFileName, target))
        return FALSE;
    if (target.exists()) {
        if (bFailIfExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        // An existing read-only or directory target is not replaced.
        auto info = host_file_info(target.host, target.leaf());
        if (!info || (info->attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (source.host == target.host) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return FALSE;
        }
    }
    const int from = open(source.host.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    struct stat status;
    fstat(from, &status);
    const int to = open(target.host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (to < 0) {
        close(from);
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    bool copied = copy_contents(from, to);
    const int copy_errno = errno;
    const timespec times[2] = {status.st_atim, status.st_mtim};
    copied = copied && futimens(to, times) == 0 && fchmod(to, status.st_mode & 07777) == 0;
    copied = close(to) == 0 && copied;
    close(from);
    if (!copied) {
        unlink(target.host.c_str());
        SetLastError(copy_errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    HostPath source = HostPath::resolve(lpExistingFileName ? lpExistingFileName : "");
    if (!source.exists()) {
        SetLastError(source.error());
        return FALSE;
    }
    HostPath target;
    if (!destination(lpNewFileName, target))
        return FALSE;
    // Renaming to the same name with another case is allowed; any other existing target is not.
    if (target.exists() && target.host != source.host) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    std::filesystem::path new_host = target.host.parent_path() / target.leaf();
    if (rename(source.host.c_str(), new_host.c_str()) != 0) {
        SetLastError(errno == EXDEV ? ERROR_NOT_SAME_DEVICE : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    HostPath path;
    if (!existing_file(lpFileName, path))
        return FALSE;
    if (is_read_only(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path.host.c_str()) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
