// CString: a string of UTF-8 bytes with value semantics. Lengths and positions count bytes.
// Pass a CString to Format and other variadic functions as (LPCTSTR)str.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

typedef const char* LPCTSTR;
typedef char* LPTSTR;
typedef char TCHAR;

class CString {
public:
    CString() = default;
    CString(const CString& stringSrc) = default;
    CString(CString&& stringSrc) noexcept = default;
    CString(LPCTSTR lpsz) : m_data(lpsz ? lpsz : "") {}
    CString(LPCTSTR lpch, int nLength) : m_data(lpch, static_cast<size_t>(nLength)) {}
    explicit CString(char ch, int nRepeat = 1) : m_data(static_cast<size_t>(nRepeat), ch) {}

    CString& operator=(const CString& stringSrc) = default;
    CString& operator=(CString&& stringSrc) noexcept = default;
    CString& operator=(LPCTSTR lpsz);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_data.size()); }
    BOOL IsEmpty() const { return m_data.empty(); }
    void Empty() { m_data.clear(); }
    char GetAt(int nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch) { m_data[static_cast<size_t>(nIndex)] = ch; }
    operator LPCTSTR() const { return m_data.c_str(); }

    CString& operator+=(const CString& string);
    CString& operator+=(LPCTSTR lpsz);
    CString& operator+=(char ch);

    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Positions are 0-based; -1 means not found.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCTSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // Case mapping covers ASCII letters; other bytes are left as they are.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Whitespace is space, tab, newline, vertical tab, form feed and carriage return.
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(char chTarget);
    CString& TrimRight(char chTarget);
    CString& Trim() { return TrimRight().TrimLeft(); }

    int Replace(char chOld, char chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    void AppendFormatV(LPCTSTR lpszFormat, va_list argList);

    // Direct access: the buffer holds at least nMinBufLength bytes plus a terminating zero.
    // ReleaseBuffer(-1) takes the length up to the first zero byte.
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Loads a string resource of the application's resource module.
    BOOL LoadString(UINT nID);

private:
    std::string m_data;
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCTSTR lpsz);
CString operator+(LPCTSTR lpsz, const CString& string);
CString operator+(const CString& string, char ch);
CString operator+(char ch, const CString& string);

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCTSTR s2);
bool operator<(LPCTSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
