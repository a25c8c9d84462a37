#include "file_info.h"

#include "file_time.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace mullion {

namespace {

std::optional<FileInfo> info_at(int directory, const char* path, int flags, std::string_view name) {
    struct statx status;
    if (statx(directory, path, flags, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return std::nullopt;
    FileInfo info;
    const bool is_directory = S_ISDIR(status.stx_mode);
    if (is_directory)
        info.attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((status.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        info.attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        info.attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (info.attributes == 0)
        info.attributes = FILE_ATTRIBUTE_NORMAL;
    auto to_file_time = [](const statx_timestamp& t) {
        return file_time_from_timespec(timespec{time_t(t.tv_sec), long(t.tv_nsec)});
    };
    info.last_write_time = to_file_time(status.stx_mtime);
    info.last_access_time = to_file_time(status.stx_atime);
    // Host file systems without a birth time report the last change of the contents.
    info.creation_time =
        to_file_time((status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_mtime);
    info.size = is_directory ? 0 : status.stx_size;
    return info;
}

} // namespace

std::optional<FileInfo> host_file_info(const std::filesystem::path& host, std::string_view name) {
    return info_at(AT_FDCWD, host.c_str(), 0, name);
}

std::optional<FileInfo> open_file_info(int descriptor) {
    return info_at(descriptor, "", AT_EMPTY_PATH, "");
}

} // namespace mullion
