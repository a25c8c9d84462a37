#include "entry_format.h"

CString FormatEntry(const CString& strEntry, const CString& strValue) {
    CString strResult;
    const int nLength = strEntry.GetLength();
    for (int i = 0; i < nLength; ++i) {
        const char ch = strEntry[i];
        const char next = i + 1 < nLength ? strEntry[i + 1] : '\0';
        if (ch == '%' && next == 's') {
            strResult += strValue;
            ++i;
        } else if (ch == '%' && next == '%') {
            strResult += '%';
            ++i;
        } else {
            strResult += ch;
        }
    }
    return strResult;
}
