// The installer's small path operations.
#pragma once

#include "cstring.h"

// The longest path CreateDirectoryPath works on; longer paths create nothing.
constexpr int kMaxDirectoryPath = MAX_PATH - 1;

// True unless the attribute query fails because the file is not found; any other failure
// (a missing parent directory among them) counts as present.
BOOL PathExists(LPCSTR lpszPath);
// Creates every directory along the path, from the top down; failures are ignored. A network
// path (starting with two backslashes) is left alone.
void CreateDirectoryPath(LPCSTR lpszPath);
// Size of the first match of the path as a 32-bit value, 0 when nothing matches.
LONG GetFileSize32(LPCSTR lpszPath);
// Last-write time of the first match of the path, zero when nothing matches.
FILETIME GetFileWriteTime(LPCSTR lpszPath);
