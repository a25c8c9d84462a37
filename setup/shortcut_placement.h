// The shortcut to the install directory, placed in one of the user's shell folders.
#pragma once

#include "cstring.h"

// The Shell Folders value that Setup.ini entry 4 asks for ("Personal" for My Documents), or
// the empty text when no shortcut is to be placed. Any letter case.
CString ShortcutFolderValueName(const CString& strFolderEntry);
// The folder, a backslash unless the folder already ends with one, the name, then ".Lnk".
CString BuildShortcutPath(const CString& strFolder, const CString& strName);

// Writes a shortcut file at lpszLinkPath pointing at lpszTarget; the status of the last shell
// call (negative on failure).
HRESULT CreateShortcut(LPCSTR lpszTarget, LPCSTR lpszLinkPath, LPCSTR lpszDescription);

// Places the shortcut that Setup.ini entries 4 and 5 ask for, pointing at g_strInstallDir.
// Every failure silently leaves the user without a shortcut.
void PlaceShortcut();
