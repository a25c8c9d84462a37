// The kernel's string helpers: lstrlenA, lstrcpyA, lstrcpynA, lstrcmpA, lstrcmpiA, and MulDiv.
// Strings are UTF-8; comparisons order bytes, and case-insensitive comparison folds ASCII letters
// as the rest of the platform's case mapping does.
#include "windows.h"

#include <cstdint>
#include <cstring>

namespace {

int ascii_lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// A null pointer compares as less than any string, including the empty one; two nulls are equal.
template <class Fold> int compare_strings(LPCSTR a, LPCSTR b, Fold fold) {
    if (!a || !b)
        return a == b ? 0 : (a ? 1 : -1);
    const auto* left = reinterpret_cast<const unsigned char*>(a);
    const auto* right = reinterpret_cast<const unsigned char*>(b);
    for (;; ++left, ++right) {
        const int l = fold(*left);
        const int r = fold(*right);
        if (l != r)
            return l < r ? -1 : 1;
        if (l == 0)
            return 0;
    }
}

} // namespace

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2)
        return nullptr;
    return std::strcpy(lpString1, lpString2);
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2 || iMaxLength < 0)
        return nullptr;
    if (iMaxLength == 0)
        return lpString1;
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i)
        lpString1[i] = lpString2[i];
    lpString1[i] = '\0';
    return lpString1;
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
    return compare_strings(lpString1, lpString2, [](unsigned char c) { return int(c); });
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    return compare_strings(lpString1, lpString2, ascii_lower);
}

// nNumber * nNumerator / nDenominator with a 64-bit intermediate, rounded to the nearest integer
// (halves away from zero); -1 when the denominator is zero or the result does not fit.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0)
        return -1;
    const int64_t product = int64_t(nNumber) * nNumerator;
    const bool negative = (product < 0) != (nDenominator < 0);
    const uint64_t magnitude = product < 0 ? uint64_t(-product) : uint64_t(product);
    const uint64_t divisor = nDenominator < 0 ? uint64_t(-int64_t(nDenominator)) : nDenominator;
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (negative ? quotient > uint64_t(INT32_MAX) + 1 : quotient > uint64_t(INT32_MAX))
        return -1;
    return negative ? static_cast<int>(-int64_t(quotient)) : static_cast<int>(quotient);
}
