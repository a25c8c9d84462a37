#include "data_exchange.h"

#include "window.h"
#include "win_app.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// Standard texts of a refused value.
constexpr const char* kParseInt = "Please enter an integer.";
constexpr const char* kParseUInt = "Please enter a positive integer.";
constexpr const char* kRangeInt = "Please enter an integer between %d and %d.";
constexpr const char* kRangeUInt = "Please enter an integer between %u and %u.";
constexpr const char* kMaxChars = "Please enter no more than %d characters.";

CString window_text(HWND hWnd) {
    CString text;
    const int length = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The whole text, less surrounding white space, is one decimal number: an optional sign, then
// digits. strtoll alone would accept "12a" (as 12) and "" (as 0).
bool parse_integer(const CString& text, bool allowNegative, long long& value) {
    const char* begin = text;
    while (is_space(*begin))
        ++begin;
    const char* digits = begin;
    if (*digits == '+' || (allowNegative && *digits == '-'))
        ++digits;
    if (*digits < '0' || *digits > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(begin, &end, 10);
    if (errno == ERANGE)
        return false;
    while (is_space(*end))
        ++end;
    return *end == '\0';
}

// Characters of UTF-8 text: every byte but the continuation bytes starts one.
int character_count(const CString& text) {
    int count = 0;
    for (const char* p = text; *p; ++p)
        count += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    return count;
}

// Shows the standard message of a refused value and abandons the exchange.
[[noreturn]] void refuse(CDataExchange* pDX, const CString& message) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hDlgWnd(pDlgWnd->m_hWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    const HWND hWnd = ::GetDlgItem(m_hDlgWnd, nIDC);
    if (!hWnd) {
        std::fprintf(stderr, "Data exchange with control %d, which the window does not have.\n",
                     nIDC);
        m_hWndLastControl = nullptr;
        Fail();
    }
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    const HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && ::IsWindow(m_hWndLastControl)) {
        // In a dialog, the dialog manager moves the focus as the keyboard does, which also
        // moves the default button frame; other windows ignore the message.
        ::SendMessageA(m_hDlgWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
        if (::GetFocus() != m_hWndLastControl)
            ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = window_text(hWnd);
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!parse_integer(window_text(hWnd), true, parsed) ||
            parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
            refuse(pDX, kParseInt);
        value = static_cast<int>(parsed);
    } else {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(hWnd, text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!parse_integer(window_text(hWnd), false, parsed) ||
            parsed > std::numeric_limits<UINT>::max())
            refuse(pDX, kParseUInt);
        value = static_cast<UINT>(parsed);
    } else {
        CString text;
        text.Format("%u", value);
        ::SetWindowTextA(hWnd, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    } else {
        // Only the three button states exist; anything else shows as unchecked.
        const int state = value >= BST_UNCHECKED && value <= BST_INDETERMINATE ? value : 0;
        ::SendMessageA(hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP))
        std::fprintf(stderr, "Radio exchange with control %d, which does not start a group.\n",
                     nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED && value == -1)
                    value = index;
            } else {
                ::SendMessageA(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd)
        return;
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd)) {
        std::fprintf(stderr, "Control %d could not be attached: it has an object already.\n", nIDC);
        pDX->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format(kRangeInt, minVal, maxVal);
    refuse(pDX, message);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format(kRangeUInt, minVal, maxVal);
    refuse(pDX, message);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (character_count(value) <= nChars)
        return;
    CString message;
    message.Format(kMaxChars, nChars);
    refuse(pDX, message);
}
