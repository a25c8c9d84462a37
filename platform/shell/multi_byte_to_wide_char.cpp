// MultiByteToWideChar and WideCharToMultiByte: the ANSI code page is UTF-8.
#include "shell/utf16_text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

bool is_utf8_code_page(UINT code_page) {
    return code_page == CP_ACP || code_page == CP_OEMCP || code_page == CP_THREAD_ACP ||
           code_page == CP_UTF8;
}

// Copies the converted units into the caller's buffer, or reports the size needed when the
// buffer size is 0, by the shared contract of both functions.
template <class Unit> int deliver(const std::basic_string<Unit>& text, Unit* buffer, int size) {
    const int needed = static_cast<int>(text.size());
    if (size == 0)
        return needed;
    if (needed > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(text.begin(), text.end(), buffer);
    return needed;
}

} // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!is_utf8_code_page(CodePage)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags & ~static_cast<DWORD>(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    // A length of -1 converts the terminating zero too.
    const size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const mullion::Utf16Conversion converted =
        mullion::utf8_to_utf16(std::string_view(lpMultiByteStr, length));
    if (converted.had_invalid && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return deliver(converted.text, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!is_utf8_code_page(CodePage)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // UTF-8 has no default character: every character has a form.
    if (lpDefaultChar || lpUsedDefaultChar) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    size_t length = static_cast<size_t>(cchWideChar);
    if (cchWideChar == -1) {
        length = 0;
        while (lpWideCharStr[length] != 0)
            ++length;
        ++length;
    }
    const mullion::Utf8Conversion converted =
        mullion::utf16_to_utf8(std::u16string_view(lpWideCharStr, length));
    if (converted.had_invalid && (dwFlags & WC_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return deliver(converted.text, lpMultiByteStr, cbMultiByte);
}
