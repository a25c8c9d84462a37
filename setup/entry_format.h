// Filling a Setup.txt entry's "%s" with a value, without trusting the entry as a format string.
#pragma once

#include "cstring.h"

// The entry with every "%s" replaced by strValue and every "%%" by one "%"; any other "%"
// sequence is kept as written. Setup.txt is outside input, so it is never handed to printf.
CString FormatEntry(const CString& strEntry, const CString& strValue);
