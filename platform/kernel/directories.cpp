// CreateDirectoryA, RemoveDirectoryA, SetCurrentDirectoryA, GetCurrentDirectoryA,
// GetFullPathNameA and GetTempPathA.
#include "current_directory.h"
#include "drive_map.h"
#include "host_path.h"

#include "windows.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mullion {
namespace {

// Copies `text` and its terminating NUL into a caller's buffer of `size` characters. Returns
// the length without the NUL when it fits, else the size needed with the NUL (the
// documented contract of the path-returning functions).
DWORD copy_out(const std::string& text, DWORD size, LPSTR buffer) {
    if (!buffer || size <= text.size())
        return DWORD(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return DWORD(text.size());
}

} // namespace
} // namespace mullion

using namespace mullion;

// The documented limit of the ANSI function: room must remain for an 8.3 file name.
static constexpr size_t max_directory_path = MAX_PATH - 12;

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    if (!lpPathName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    const HostPath path = HostPath::resolve(lpPathName);
    if (path.exists()) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (path.status != PathStatus::MissingLeaf) {
        SetLastError(path.error());
        return FALSE;
    }
    if (path.windows.size() > max_directory_path) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    if (mkdir(path.host.c_str(), 0777) != 0) {
        SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    if (!lpPathName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    const HostPath path = HostPath::resolve(lpPathName);
    if (!path.exists()) {
        SetLastError(path.error());
        return FALSE;
    }
    struct stat status;
    if (path.is_root || lstat(path.host.c_str(), &status) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!S_ISDIR(status.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (rmdir(path.host.c_str()) != 0) {
        SetLastError(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY
                                                           : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    if (!lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const HostPath path = HostPath::resolve(lpPathName);
    if (!path.exists()) {
        SetLastError(path.error());
        return FALSE;
    }
    struct stat status;
    if (stat(path.host.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    CurrentDirectory::instance().set(path.windows);
    return TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    return copy_out(CurrentDirectory::instance().get(), nBufferLength, lpBuffer);
}

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart) {
    std::string full;
    if (!lpFileName || !full_windows_path(lpFileName, full)) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    // A name that ends in a separator keeps it ("C:\dir\" stays a directory path).
    const std::string_view requested = lpFileName;
    if (full.size() > 3 && (requested.back() == '\\' || requested.back() == '/'))
        full += '\\';
    const DWORD result = copy_out(full, nBufferLength, lpBuffer);
    if (lpFilePart && result < nBufferLength) {
        const size_t slash = full.find_last_of('\\');
        *lpFilePart = slash + 1 < full.size() ? lpBuffer + slash + 1 : nullptr;
    }
    return result;
}

DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    const char* host = std::getenv("TMPDIR");
    std::string path = DriveMap::instance().windows_path(host && *host == '/' ? host : "/tmp");
    if (path.empty())
        path = CurrentDirectory::instance().get();
    if (path.back() != '\\')
        path += '\\';
    return copy_out(path, nBufferLength, lpBuffer);
}
