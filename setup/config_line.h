// CConfigLine: one entry of Setup.ini or Setup.txt, and the parser that splits a file's text
// into entries.
#pragma once

#include "cstring.h"
#include "object.h"

#include <vector>

class CConfigLine : public CObject {
public:
    explicit CConfigLine(const CString& strText) : m_strText(strText) {}

    CString m_strText;
};

// Entries in file order; entry n (numbered from 1) is element n - 1. The array owns its lines
// until FreeConfigLines deletes them.
typedef std::vector<CConfigLine*> CConfigLineArray;

// The longest line kept; longer lines are cut to this many bytes (at a character boundary).
constexpr int kMaxConfigLineLength = 1023;

// Which array ParseLines(int, ...) appends to.
enum ConfigKind { kIniFile = 1, kTextFile = 2 };

// Splits text into entries: a line ends at a carriage return, any run of carriage returns and
// line feeds after it is skipped, and lines beginning with ';' are comments.
void ParseLines(CConfigLineArray& lines, LPCSTR lpszText);
// Appends to g_iniLines (kIniFile) or g_textLines (kTextFile).
void ParseLines(int nKind, LPCSTR lpszText);

// Entry n (from 1) of the array, or the empty text when the file has fewer entries.
CString GetConfigEntry(const CConfigLineArray& lines, int nEntry);

void FreeConfigLines(CConfigLineArray& lines);
