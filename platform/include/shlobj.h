// The shell: the link object and the user's special folders.
#pragma once

#include "objbase.h"
#include "shobjidl.h"

#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_FAVORITES 0x0006
#define CSIDL_DESKTOPDIRECTORY 0x0010

#ifndef RC_INVOKED
// The folder's path from the per-user Shell Folders key; fCreate creates it when missing.
// pszPath receives at most MAX_PATH characters.
WINBASEAPI BOOL WINAPI SHGetSpecialFolderPathA(HWND hwnd, LPSTR pszPath, int csidl, BOOL fCreate);
#endif
