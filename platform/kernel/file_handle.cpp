// CreateFileA, ReadFile, WriteFile, SetFilePointer, GetFileSize, SetEndOfFile,
// FlushFileBuffers, GetFileType, GetFileTime and SetFileTime. CloseHandle closes the file.
#include "file_object.h"

#include "file_info.h"
#include "file_time.h"
#include "host_path.h"

#include "windows.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mullion {

FileObject::~FileObject() {
    close(m_descriptor);
    if (m_delete_on_close)
        unlink(m_host.c_str());
}

namespace {

std::shared_ptr<FileObject> find_file(HANDLE handle) {
    auto file = HandleTable::instance().get<FileObject>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

DWORD error_from_errno(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

} // namespace
} // namespace mullion

using namespace mullion;

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
    if (!lpFileName || dwCreationDisposition < CREATE_NEW ||
        dwCreationDisposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const HostPath path = HostPath::resolve(lpFileName);
    const bool exists = path.exists();
    if (!exists && path.status != PathStatus::MissingLeaf) {
        SetLastError(path.error());
        return INVALID_HANDLE_VALUE;
    }
    const bool wants_write = dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL);
    const bool wants_read = dwDesiredAccess & (GENERIC_READ | GENERIC_ALL);
    if (exists) {
        auto info = host_file_info(path.host, path.leaf());
        // Directories and read-only files refuse write access, as on Windows, even when the
        // host would allow it (a process running as the superuser).
        if (!info || (info->attributes & FILE_ATTRIBUTE_DIRECTORY) || path.is_root ||
            (wants_write && (info->attributes & FILE_ATTRIBUTE_READONLY))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    }
    int flags = O_CLOEXEC;
    flags |= wants_write ? (wants_read ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (dwCreationDisposition) {
    case CREATE_NEW:
        if (exists) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        if (!exists) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        if (!exists) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        if (!wants_write) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    }
    // A file created read-only is still opened with the access asked for.
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    const int descriptor = open(path.host.c_str(), flags, mode);
    if (descriptor < 0) {
        SetLastError(error_from_errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<FileObject>(
        descriptor, path.host, (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0);
    // Opening an existing file where a new one may be made is reported, as documented.
    const bool reports_existing =
        exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reports_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return HandleTable::instance().insert(file);
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    DWORD total = 0;
    // Reads until the count is satisfied or the end of the file is reached; reaching the end
    // is success with fewer bytes.
    while (total < nNumberOfBytesToRead) {
        const ssize_t got = read(file->descriptor(), static_cast<char*>(lpBuffer) + total,
                                 nNumberOfBytesToRead - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT);
            return FALSE;
        }
        if (got == 0)
            break;
        total += DWORD(got);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        const ssize_t put = write(file->descriptor(), static_cast<const char*>(lpBuffer) + total,
                                  nNumberOfBytesToWrite - total);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = total;
            SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : error_from_errno(errno));
            return FALSE;
        }
        total += DWORD(put);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh,
                            DWORD dwMoveMethod) {
    auto file = find_file(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    // Without the high part the distance is a signed 32-bit value; with it, the two make one
    // signed 64-bit distance.
    const int64_t distance =
        lpDistanceToMoveHigh
            ? int64_t((uint64_t(uint32_t(*lpDistanceToMoveHigh)) << 32) | uint32_t(lDistanceToMove))
            : int64_t(lDistanceToMove);
    const int whence = dwMoveMethod == FILE_BEGIN     ? SEEK_SET
                       : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
                       : dwMoveMethod == FILE_END     ? SEEK_END
                                                      : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    const off_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? lseek(file->descriptor(), 0, SEEK_CUR)
                                            : lseek(file->descriptor(), 0, SEEK_END);
    if (base + distance < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    const off_t position = lseek(file->descriptor(), base + distance, SEEK_SET);
    if (position < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = LONG(uint64_t(position) >> 32);
    // A low part equal to INVALID_SET_FILE_POINTER is told apart by a zero last error.
    SetLastError(ERROR_SUCCESS);
    return DWORD(position);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    auto file = find_file(hFile);
    struct stat status;
    if (!file || fstat(file->descriptor(), &status) != 0)
        return INVALID_FILE_SIZE;
    if (lpFileSizeHigh)
        *lpFileSizeHigh = DWORD(uint64_t(status.st_size) >> 32);
    SetLastError(ERROR_SUCCESS);
    return DWORD(status.st_size);
}

BOOL WINAPI SetEndOfFile(HANDLE hFile) {
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    const off_t position = lseek(file->descriptor(), 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->descriptor(), position) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    if (fsync(file->descriptor()) != 0 && errno != EINVAL) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetFileType(HANDLE hFile) {
    return find_file(hFile) ? FILE_TYPE_DISK : FILE_TYPE_UNKNOWN;
}

BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                        LPFILETIME lpLastWriteTime) {
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    auto info = open_file_info(file->descriptor());
    if (!info) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (lpCreationTime)
        *lpCreationTime = info->creation_time;
    if (lpLastAccessTime)
        *lpLastAccessTime = info->last_access_time;
    if (lpLastWriteTime)
        *lpLastWriteTime = info->last_write_time;
    return TRUE;
}

BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME*, const FILETIME* lpLastAccessTime,
                        const FILETIME* lpLastWriteTime) {
    auto file = find_file(hFile);
    if (!file)
        return FALSE;
    // The host keeps no settable creation time; access and write times are set, absent ones
    // left alone.
    timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
    if (lpLastAccessTime)
        times[0] = timespec_from_file_time(*lpLastAccessTime);
    if (lpLastWriteTime)
        times[1] = timespec_from_file_time(*lpLastWriteTime);
    if (futimens(file->descriptor(), times) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
