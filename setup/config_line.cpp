#include "config_line.h"

#include "setup_globals.h"

namespace {

bool IsLineEnd(char ch) {
    return ch == '\r' || ch == '\n';
}

bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// Cuts an over-long line to kMaxConfigLineLength bytes without splitting a UTF-8 character.
int KeptLength(LPCSTR lpszLine, int nLength) {
    if (nLength <= kMaxConfigLineLength)
        return nLength;
    int nKept = kMaxConfigLineLength;
    while (nKept > 0 && IsContinuationByte(lpszLine[nKept]))
        --nKept;
    return nKept;
}

} // namespace

void ParseLines(CConfigLineArray& lines, LPCSTR lpszText) {
    LPCSTR p = lpszText;
    while (*p != '\0') {
        LPCSTR lpszLine = p;
        while (*p != '\0' && *p != '\r')
            ++p;
        const int nLength = static_cast<int>(p - lpszLine);
        while (IsLineEnd(*p))
            ++p;
        if (nLength > 0 && lpszLine[0] == ';')
            continue;
        lines.push_back(new CConfigLine(CString(lpszLine, KeptLength(lpszLine, nLength))));
    }
}

void ParseLines(int nKind, LPCSTR lpszText) {
    ParseLines(nKind == kIniFile ? g_iniLines : g_textLines, lpszText);
}

CString GetConfigEntry(const CConfigLineArray& lines, int nEntry) {
    if (nEntry < 1 || nEntry > static_cast<int>(lines.size()))
        return CString();
    return lines[static_cast<size_t>(nEntry - 1)]->m_strText;
}

void FreeConfigLines(CConfigLineArray& lines) {
    for (CConfigLine* pLine : lines)
        delete pLine;
    lines.clear();
}
