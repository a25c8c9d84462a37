#include "ini_validation.h"

#include "setup_globals.h"

#include <cctype>
#include <cstdlib>

namespace {

bool IsIllegalInDirectoryName(char ch) {
    const unsigned char uch = static_cast<unsigned char>(ch);
    return (uch >= 1 && uch <= 31) || ch == '?' || ch == '*' || ch == ':';
}

// Appends the illegal-character warning for the first character of strName that a directory
// name cannot hold; returns whether there was one.
bool CheckDirectoryName(const CString& strName, std::vector<CString>& messages) {
    for (int i = 0; i < strName.GetLength(); ++i) {
        if (IsIllegalInDirectoryName(strName[i])) {
            CString strMessage;
            strMessage.Format("The '%s' entry in SETUP.INI is invalid because\nit contains the "
                              "illegal character '%c'.\n(Directory names cannot contain this "
                              "character.)",
                              static_cast<LPCSTR>(strName), strName[i]);
            messages.push_back(strMessage);
            return true;
        }
    }
    return false;
}

CString UpperCopy(const CString& strText) {
    CString strUpper = strText;
    strUpper.MakeUpper();
    return strUpper;
}

bool CheckDefaultDirectory(const CString& strEntry, std::vector<CString>& messages) {
    bool bFailed = false;
    if (strEntry.GetLength() < 3 || strEntry[1] != ':' || strEntry[2] != '\\') {
        CString strMessage;
        strMessage.Format("The '%s' entry in SETUP.INI looks suspicious.\nIt should be an entry "
                          "like 'C:\\Vantrel'.",
                          static_cast<LPCSTR>(strEntry));
        messages.push_back(strMessage);
        bFailed = true;
    }
    // The part after the root is checked whatever the shape of the root.
    if (CheckDirectoryName(strEntry.Mid(3), messages))
        bFailed = true;
    return bFailed;
}

bool CheckShortcutFolder(const CString& strEntry, std::vector<CString>& messages) {
    const CString strUpper = UpperCopy(strEntry);
    if (strUpper == "NULL" || strUpper == "DESKTOP" || strUpper == "MY DOCUMENTS" ||
        strUpper == "FAVORITES")
        return false;
    CString strMessage;
    strMessage.Format("The '%s' entry in SETUP.INI looks suspicious.\nIt should be either "
                      "'NULL,' 'Favorites,' 'My Documents,' or 'Desktop.'",
                      static_cast<LPCSTR>(strUpper));
    messages.push_back(strMessage);
    return true;
}

bool CheckInstallSize(const CString& strEntry, std::vector<CString>& messages) {
    const CString strUpper = UpperCopy(strEntry);
    bool bFailed = false;
    for (int i = 0; i < strUpper.GetLength(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(strUpper[i]))) {
            CString strMessage;
            strMessage.Format("The '%s' entry in SETUP.INI invalid because\nit contains the "
                              "illegal character '%c'.\n(This entry is the total size of the "
                              "installed files.)",
                              static_cast<LPCSTR>(strUpper), strUpper[i]);
            messages.push_back(strMessage);
            bFailed = true;
            break;
        }
    }
    const long long nSize = ParseSizeEntry(strUpper);
    if (nSize < kMinInstallSize || nSize > kMaxInstallSize) {
        CString strMessage;
        strMessage.Format("The '%s' entry in SETUP.INI is suspiciously small or large.\n(This "
                          "entry is the total size of the installed files.)",
                          static_cast<LPCSTR>(strUpper));
        messages.push_back(strMessage);
        bFailed = true;
    }
    return bFailed;
}

bool CheckCompression(const CString& strEntry, CIniCheck& check) {
    const CString strUpper = UpperCopy(strEntry);
    if (strUpper == "COMPRESSED" || strUpper == "UNCOMPRESSED") {
        check.bCompressed = strUpper == "COMPRESSED";
        return false;
    }
    CString strMessage;
    strMessage.Format("The '%s' entry in SETUP.INI is invalid.\nIt should be either 'COMPRESSED' "
                      "or 'Uncompressed'.",
                      static_cast<LPCSTR>(strUpper));
    check.messages.push_back(strMessage);
    check.bCompressed = FALSE;
    return true;
}

} // namespace

long long ParseSizeEntry(LPCSTR lpszEntry) {
    return std::strtoll(lpszEntry, nullptr, 10);
}

CIniCheck CheckIniEntries(const CConfigLineArray& lines) {
    CIniCheck check;
    bool bSuspicious = false;
    bSuspicious |= CheckDirectoryName(GetConfigEntry(lines, 1), check.messages);
    bSuspicious |= CheckDefaultDirectory(GetConfigEntry(lines, 2), check.messages);
    bSuspicious |= CheckShortcutFolder(GetConfigEntry(lines, 4), check.messages);
    bSuspicious |= CheckInstallSize(GetConfigEntry(lines, 6), check.messages);
    bSuspicious |= CheckCompression(GetConfigEntry(lines, 7), check);
    check.bUnderscores = UpperCopy(GetConfigEntry(lines, 8)) == "UNDERSCORES";
    if (bSuspicious)
        check.messages.push_back("At least one entry in SETUP.INI is suspicious.\nSetup will "
                                 "continue, but the results will be unpredictable.");
    return check;
}

void ValidateIni(void (*pfnShowStopMessage)(LPCSTR lpszText)) {
    const CIniCheck check = CheckIniEntries(g_iniLines);
    for (const CString& strMessage : check.messages)
        pfnShowStopMessage(strMessage);
    g_bCompressed = check.bCompressed;
    g_bUnderscores = check.bUnderscores;
}
