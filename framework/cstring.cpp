#include "cstring.h"

#include "win_app.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool is_space(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

char to_lower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

char to_upper(char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// Clamps a (first, count) pair to the string, as Mid does with out-of-range arguments.
std::string slice(const std::string& data, int nFirst, int nCount) {
    const int length = static_cast<int>(data.size());
    nFirst = std::clamp(nFirst, 0, length);
    nCount = std::clamp(nCount, 0, length - nFirst);
    return data.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount));
}

} // namespace

CString& CString::operator=(LPCTSTR lpsz) {
    m_data = lpsz ? lpsz : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_data.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& string) {
    m_data += string.m_data;
    return *this;
}

CString& CString::operator+=(LPCTSTR lpsz) {
    if (lpsz)
        m_data += lpsz;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_data += ch;
    return *this;
}

int CString::Compare(LPCTSTR lpsz) const {
    const int result = std::strcmp(m_data.c_str(), lpsz ? lpsz : "");
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCTSTR lpsz) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_data.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(lpsz ? lpsz : "");
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(to_lower(static_cast<char>(*a)));
        const unsigned char cb = static_cast<unsigned char>(to_lower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    CString result;
    result.m_data = slice(m_data, nFirst, nCount);
    return result;
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t pos = m_data.find(ch, static_cast<size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const {
    if (nStart < 0 || nStart > GetLength())
        return -1;
    const size_t pos = m_data.find(lpszSub ? lpszSub : "", static_cast<size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    const size_t pos = m_data.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
    const size_t pos = m_data.find_first_of(lpszCharSet ? lpszCharSet : "");
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeUpper() {
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), to_upper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), to_lower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_data.begin(), m_data.end());
    return *this;
}

CString& CString::TrimLeft() {
    m_data.erase(m_data.begin(), std::find_if_not(m_data.begin(), m_data.end(), is_space));
    return *this;
}

CString& CString::TrimRight() {
    m_data.erase(std::find_if_not(m_data.rbegin(), m_data.rend(), is_space).base(), m_data.end());
    return *this;
}

CString& CString::TrimLeft(char chTarget) {
    m_data.erase(0, m_data.find_first_not_of(chTarget));
    return *this;
}

CString& CString::TrimRight(char chTarget) {
    const size_t last = m_data.find_last_not_of(chTarget);
    m_data.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Replace(char chOld, char chNew) {
    int count = 0;
    for (char& ch : m_data) {
        if (ch == chOld) {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
    const std::string from = lpszOld ? lpszOld : "";
    const std::string to = lpszNew ? lpszNew : "";
    if (from.empty())
        return 0;
    int count = 0;
    for (size_t pos = m_data.find(from); pos != std::string::npos;
         pos = m_data.find(from, pos + to.size())) {
        m_data.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(char ch) {
    const size_t before = m_data.size();
    m_data.erase(std::remove(m_data.begin(), m_data.end(), ch), m_data.end());
    return static_cast<int>(before - m_data.size());
}

int CString::Insert(int nIndex, char ch) {
    return Insert(nIndex, CString(ch));
}

int CString::Insert(int nIndex, LPCTSTR pstr) {
    nIndex = std::clamp(nIndex, 0, GetLength());
    m_data.insert(static_cast<size_t>(nIndex), pstr ? pstr : "");
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex >= 0 && nIndex < GetLength() && nCount > 0)
        m_data.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return GetLength();
}

void CString::Format(LPCTSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
    m_data.clear();
    AppendFormatV(lpszFormat, argList);
}

void CString::AppendFormatV(LPCTSTR lpszFormat, va_list argList) {
    va_list measure;
    va_copy(measure, argList);
    const int length = std::vsnprintf(nullptr, 0, lpszFormat, measure);
    va_end(measure);
    if (length <= 0)
        return;
    const size_t old_size = m_data.size();
    m_data.resize(old_size + static_cast<size_t>(length));
    std::vsnprintf(m_data.data() + old_size, static_cast<size_t>(length) + 1, lpszFormat, argList);
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength())
        m_data.resize(static_cast<size_t>(nMinBufLength));
    return m_data.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    m_data.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return m_data.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::strlen(m_data.c_str()));
    m_data.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

BOOL CString::LoadString(UINT nID) {
    // String resources hold at most 4097 bytes once converted to UTF-8 from 4097 UTF-16 units
    // of the basic plane; a buffer of three bytes per unit always suffices.
    char buffer[3 * 4097 + 1];
    const int length =
        ::LoadStringA(AfxGetResourceHandle(), nID, buffer, static_cast<int>(sizeof buffer));
    m_data.assign(buffer, static_cast<size_t>(std::max(length, 0)));
    return length > 0;
}

CString operator+(const CString& string1, const CString& string2) {
    CString result(string1);
    result += string2;
    return result;
}

CString operator+(const CString& string, LPCTSTR lpsz) {
    CString result(string);
    result += lpsz;
    return result;
}

CString operator+(LPCTSTR lpsz, const CString& string) {
    CString result(lpsz);
    result += string;
    return result;
}

CString operator+(const CString& string, char ch) {
    CString result(string);
    result += ch;
    return result;
}

CString operator+(char ch, const CString& string) {
    CString result(ch);
    result += string;
    return result;
}

bool operator==(const CString& s1, const CString& s2) {
    return s1.Compare(s2) == 0;
}
bool operator==(const CString& s1, LPCTSTR s2) {
    return s1.Compare(s2) == 0;
}
bool operator==(LPCTSTR s1, const CString& s2) {
    return s2.Compare(s1) == 0;
}
bool operator!=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) != 0;
}
bool operator!=(const CString& s1, LPCTSTR s2) {
    return s1.Compare(s2) != 0;
}
bool operator!=(LPCTSTR s1, const CString& s2) {
    return s2.Compare(s1) != 0;
}
bool operator<(const CString& s1, const CString& s2) {
    return s1.Compare(s2) < 0;
}
bool operator<(const CString& s1, LPCTSTR s2) {
    return s1.Compare(s2) < 0;
}
bool operator<(LPCTSTR s1, const CString& s2) {
    return s2.Compare(s1) > 0;
}
bool operator>(const CString& s1, const CString& s2) {
    return s1.Compare(s2) > 0;
}
bool operator<=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) <= 0;
}
bool operator>=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) >= 0;
}
