#include "underscore_conversion.h"

#include <cctype>

namespace {

char UpperChar(char ch) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
}

} // namespace

CString ConvertUnderscores(const CString& strName) {
    if (strName.IsEmpty())
        return strName;
    CString strConverted = strName;
    strConverted.MakeLower();
    strConverted.SetAt(0, UpperChar(strConverted[0]));
    for (int nUnderscore = strConverted.Find('_'); nUnderscore >= 0;
         nUnderscore = strConverted.Find('_', nUnderscore + 1)) {
        strConverted.SetAt(nUnderscore, ' ');
        if (nUnderscore + 1 < strConverted.GetLength())
            strConverted.SetAt(nUnderscore + 1, UpperChar(strConverted[nUnderscore + 1]));
    }
    return strConverted;
}
