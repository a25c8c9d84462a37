// SHGetSpecialFolderPathA: the user's special folders, as the per-user Shell Folders key
// lists them.
#include <shlobj.h>
#include <windows.h>

namespace {

constexpr LPCSTR shell_folders_key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

LPCSTR folder_value_name(int csidl) {
    switch (csidl & 0xFF) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        return "Desktop";
    case CSIDL_PERSONAL:
        return "Personal";
    case CSIDL_FAVORITES:
        return "Favorites";
    default:
        return nullptr;
    }
}

} // namespace

BOOL WINAPI SHGetSpecialFolderPathA(HWND, LPSTR pszPath, int csidl, BOOL fCreate) {
    const LPCSTR value_name = folder_value_name(csidl);
    if (!pszPath || !value_name)
        return FALSE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, shell_folders_key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    char folder[MAX_PATH] = {};
    DWORD type = REG_NONE;
    DWORD size = MAX_PATH - 1;
    const LONG result =
        RegQueryValueExA(key, value_name, nullptr, &type, reinterpret_cast<LPBYTE>(folder), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ || folder[0] == '\0')
        return FALSE;
    if (fCreate && GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES &&
        !CreateDirectoryA(folder, nullptr))
        return FALSE;
    lstrcpynA(pszPath, folder, MAX_PATH);
    return TRUE;
}
