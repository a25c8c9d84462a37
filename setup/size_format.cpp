#include "size_format.h"

#include <cmath>

CString FormatFileSize(LONG nSize) {
    CString strSize;
    if (nSize < 1024)
        strSize.Format("%d bytes", static_cast<int>(nSize));
    else if (nSize < 1048576)
        strSize = FormatTwoDecimals(std::ldexp(static_cast<double>(nSize), -10)) + " KB";
    else
        strSize = FormatTwoDecimals(std::ldexp(static_cast<double>(nSize), -20)) + " MB";
    return strSize;
}

CString FormatTwoDecimals(double x) {
    const long long nHundredths = static_cast<long long>(x * 100 + 0.5);
    CString strDigits;
    strDigits.Format("%03lld", nHundredths);
    strDigits.Insert(strDigits.GetLength() - 2, '.');
    return strDigits;
}
