#include "browse_rules.h"

#include <cctype>

BOOL IsAllowedNewDirChar(char ch) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9') || upper == ' ' ||
           (upper >= '#' && upper <= ')');
}

CString WithTrailingBackslash(const CString& strPath) {
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] == '\\')
        return strPath;
    return strPath + "\\";
}

CString DirectoryPattern(const CString& strPath) {
    return WithTrailingBackslash(strPath) + "*.*";
}
