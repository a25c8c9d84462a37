#include "path_operations.h"

#include <cstring>

namespace {

// Position after the root: one leading backslash, or a drive letter with its colon and an
// optional backslash.
int RootLength(LPCSTR lpszPath) {
    if (lpszPath[0] == '\\')
        return 1;
    if (lpszPath[0] != '\0' && lpszPath[1] == ':')
        return lpszPath[2] == '\\' ? 3 : 2;
    return 0;
}

bool FindFirstMatch(LPCSTR lpszPath, WIN32_FIND_DATAA& findData) {
    const HANDLE hFind = FindFirstFileA(lpszPath, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FindClose(hFind);
    return true;
}

} // namespace

BOOL PathExists(LPCSTR lpszPath) {
    return GetFileAttributesA(lpszPath) != INVALID_FILE_ATTRIBUTES ||
           GetLastError() != ERROR_FILE_NOT_FOUND;
}

void CreateDirectoryPath(LPCSTR lpszPath) {
    const int nLength = static_cast<int>(std::strlen(lpszPath));
    if (nLength > kMaxDirectoryPath)
        return;
    if (lpszPath[0] == '\\' && lpszPath[1] == '\\')
        return;
    char szPrefix[MAX_PATH];
    for (int i = RootLength(lpszPath); i <= nLength; ++i) {
        if (i == nLength || lpszPath[i] == '\\') {
            std::memcpy(szPrefix, lpszPath, static_cast<size_t>(i));
            szPrefix[i] = '\0';
            CreateDirectoryA(szPrefix, nullptr);
        }
    }
}

LONG GetFileSize32(LPCSTR lpszPath) {
    WIN32_FIND_DATAA findData;
    return FindFirstMatch(lpszPath, findData) ? static_cast<LONG>(findData.nFileSizeLow) : 0;
}

FILETIME GetFileWriteTime(LPCSTR lpszPath) {
    WIN32_FIND_DATAA findData;
    return FindFirstMatch(lpszPath, findData) ? findData.ftLastWriteTime : FILETIME{0, 0};
}
