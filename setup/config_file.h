// Reading Setup.ini and Setup.txt from the current directory.
#pragma once

#include "cstring.h"

// Only this many leading bytes of a configuration file are used.
constexpr int kMaxConfigFileBytes = 8192;

enum ConfigFileStatus { kConfigRead, kConfigMissing, kConfigUnopenable };

// Reads at most kMaxConfigFileBytes of the file into strText, which ends at the first NUL byte
// if there is one.
ConfigFileStatus ReadConfigFile(LPCSTR lpszName, CString& strText);
