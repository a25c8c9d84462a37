// The size texts of the overwrite prompt.
#pragma once

#include "cstring.h"

// "n bytes" below 1024, then kilobytes and megabytes with two decimals.
CString FormatFileSize(LONG nSize);
// x rounded to hundredths, written with two decimals; for x not less than 1.
CString FormatTwoDecimals(double x);
