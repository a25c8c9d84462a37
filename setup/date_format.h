// The date text of the overwrite prompt: "Wednesday,  April 10, 1996,  4:59:40  PM".
#pragma once

#include "cstring.h"

// The file time (UTC) shown in local time.
CString FormatFileDate(const FILETIME& ftTime);
// The same text for calendar fields that are already local.
CString FormatDateFields(const SYSTEMTIME& stLocal);
