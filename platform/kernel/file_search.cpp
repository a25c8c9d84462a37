// FindFirstFileA, FindNextFileA and FindClose.
#include "file_search.h"

#include "file_info.h"
#include "host_path.h"
#include "wildcard_match.h"

#include <cstring>

namespace mullion {

FileSearch::FileSearch(DIR* directory, std::filesystem::path host_directory, std::string pattern,
                       bool skip_dot_entries)
    : m_directory(directory), m_host_directory(std::move(host_directory)),
      m_pattern(std::move(pattern)), m_skip_dot_entries(skip_dot_entries) {}

FileSearch::~FileSearch() {
    closedir(m_directory);
}

bool FileSearch::next(WIN32_FIND_DATAA& data) {
    while (const dirent* entry = readdir(m_directory)) {
        const std::string_view name = entry->d_name;
        const bool dot_entry = name == "." || name == "..";
        if ((dot_entry && m_skip_dot_entries) || name.size() >= MAX_PATH ||
            !wildcard_match(m_pattern, name))
            continue;
        auto info = host_file_info(m_host_directory / entry->d_name, name);
        if (!info) // removed since it was listed, or a dangling link
            continue;
        data = WIN32_FIND_DATAA{};
        data.dwFileAttributes = info->attributes;
        data.ftCreationTime = info->creation_time;
        data.ftLastAccessTime = info->last_access_time;
        data.ftLastWriteTime = info->last_write_time;
        data.nFileSizeHigh = DWORD(info->size >> 32);
        data.nFileSizeLow = DWORD(info->size);
        std::memcpy(data.cFileName, name.data(), name.size());
        return true;
    }
    return false;
}

} // namespace mullion

using namespace mullion;

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string_view requested = lpFileName;
    // A name ending in a separator names no file to look for.
    if (requested.empty() || requested.back() == '\\' || requested.back() == '/') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const HostPath path = HostPath::resolve(requested, Wildcards::AllowedInLeaf);
    if (path.is_root ||
        (path.status != PathStatus::Exists && path.status != PathStatus::MissingLeaf)) {
        SetLastError(path.is_root ? DWORD(ERROR_FILE_NOT_FOUND) : path.error());
        return INVALID_HANDLE_VALUE;
    }
    const std::filesystem::path directory = path.host.parent_path();
    DIR* handle = opendir(directory.c_str());
    if (!handle) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const size_t parent_end = path.windows.find_last_of('\\');
    const bool parent_is_root = parent_end == 2;
    auto search = std::make_shared<FileSearch>(handle, directory, path.leaf(), parent_is_root);
    if (!search->next(*lpFindFileData)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return HandleTable::instance().insert(search);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = HandleTable::instance().get<FileSearch>(hFindFile);
    if (!search || !lpFindFileData) {
        SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!search->next(*lpFindFileData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (!HandleTable::instance().get<FileSearch>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    HandleTable::instance().remove(hFindFile);
    return TRUE;
}
