// The rules of the directory browser that need no window: which characters a new directory
// name may take, and how tree items' texts join into paths.
#pragma once

#include "cstring.h"

// Letters A to Z in either case, digits, the space and # $ % & ' ( ) are allowed; everything
// else (full stops, hyphens, underscores, slashes, letters outside A to Z) is not.
BOOL IsAllowedNewDirChar(char ch);

// The path with a backslash after it unless it already ends with one.
CString WithTrailingBackslash(const CString& strPath);

// The enumeration pattern of a directory's entries: the path, a backslash, "*.*".
CString DirectoryPattern(const CString& strPath);
