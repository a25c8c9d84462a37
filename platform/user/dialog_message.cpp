// The dialog keyboard interface: IsDialogMessageA (Tab, arrows, Enter, Esc, mnemonics),
// GetNextDlgTabItem and GetNextDlgGroupItem.
#include "dialog_manager.h"

#include <vector>

namespace mullion {

namespace {

std::vector<HWND> dialog_children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

DWORD style_of(HWND window) {
    return DWORD(GetWindowLongA(window, GWL_STYLE));
}

bool visible_and_enabled(HWND window) {
    const DWORD style = style_of(window);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The direct child of the dialog that contains the window (the window itself for controls).
HWND dialog_child_of(HWND dialog, HWND window) {
    while (window && GetParent(window) != dialog)
        window = GetParent(window);
    return window;
}

int index_of(const std::vector<HWND>& children, HWND window) {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == window)
            return int(i);
    return -1;
}

LRESULT dialog_code(HWND control, const MSG* message) {
    return SendMessageA(control, WM_GETDLGCODE, message ? message->wParam : 0,
                        reinterpret_cast<LPARAM>(message));
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The character after the control's '&' prefix ("&&" is a literal ampersand); 0 when none.
char mnemonic_of(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return ascii_lower(p[1]);
    }
    return 0;
}

// A mnemonic selects the control whose text (or, for a label, the control after it) carries
// it: buttons are clicked, other controls get the focus.
bool handle_mnemonic(HWND dialog, char typed, HWND focus) {
    const char wanted = ascii_lower(typed);
    if (wanted == 0 || static_cast<unsigned char>(wanted) >= 0x80)
        return false;
    const auto children = dialog_children(dialog);
    const int count = int(children.size());
    const int start = index_of(children, dialog_child_of(dialog, focus));
    for (int k = 1; k <= count; ++k) {
        HWND candidate = children[size_t(((start + k) % count + count) % count)];
        if (!visible_and_enabled(candidate))
            continue;
        const LRESULT code = dialog_code(candidate, nullptr);
        if ((code & DLGC_STATIC) && (style_of(candidate) & SS_NOPREFIX) && !(code & DLGC_BUTTON))
            continue;
        char text[256];
        GetWindowTextA(candidate, text, sizeof text);
        if (mnemonic_of(text) != wanted)
            continue;
        if (code & DLGC_STATIC) {
            // A label or group box hands the focus to the next control that can take it.
            const int at = index_of(children, candidate);
            for (int j = 1; j < count; ++j) {
                HWND next = children[size_t((at + j) % count)];
                if (visible_and_enabled(next) && !(dialog_code(next, nullptr) & DLGC_STATIC)) {
                    dialog_set_focus(dialog, next);
                    break;
                }
            }
        } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            SendMessageA(candidate, BM_CLICK, 0, 0);
        } else if (code & (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
            dialog_set_focus(dialog, candidate);
            SendMessageA(candidate, BM_CLICK, 0, 0);
        } else {
            dialog_set_focus(dialog, candidate);
        }
        return true;
    }
    return false;
}

void press_button(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void press_default_button(HWND dialog, HWND focus, LRESULT focus_code) {
    if (focus && (focus_code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        press_button(dialog, GetDlgCtrlID(focus));
        return;
    }
    const LRESULT defid = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    press_button(dialog, HIWORD(defid) == DC_HASDEFID ? LOWORD(defid) : IDOK);
}

void move_in_group(HWND dialog, HWND focus, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, focus, previous);
    if (!next || next == focus)
        return;
    dialog_set_focus(dialog, next);
    if (dialog_code(next, nullptr) & DLGC_RADIOBUTTON) {
        const DWORD type = style_of(next) & BS_TYPEMASK;
        if (type == BS_AUTORADIOBUTTON)
            SendMessageA(next, BM_CLICK, 0, 0);
    }
}

void dispatch(const MSG* message) {
    TranslateMessage(message);
    DispatchMessageA(message);
}

} // namespace

} // namespace mullion

using namespace mullion;

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!hDlg || !lpMsg || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_CHAR && message != WM_SYSCHAR) {
        dispatch(lpMsg);
        return TRUE;
    }
    HWND focus = GetFocus();
    HWND target = lpMsg->hwnd;
    const LRESULT code = dialog_code(target, lpMsg);
    if (code & DLGC_WANTMESSAGE) {
        dispatch(lpMsg);
        return TRUE;
    }
    if (message == WM_KEYDOWN) {
        switch (lpMsg->wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB)
                break;
            if (HWND next = GetNextDlgTabItem(hDlg, focus, GetKeyState(VK_SHIFT) < 0))
                dialog_set_focus(hDlg, next);
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS)
                break;
            move_in_group(hDlg, focus, lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP);
            return TRUE;
        case VK_RETURN:
            press_default_button(hDlg, focus, code);
            return TRUE;
        case VK_ESCAPE:
            press_button(hDlg, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        dispatch(lpMsg);
        return TRUE;
    }
    const char typed = char(lpMsg->wParam);
    if (message == WM_CHAR && (code & DLGC_WANTCHARS)) {
        dispatch(lpMsg);
        return TRUE;
    }
    // The characters of Tab, Enter and Esc were handled as keys.
    if (message == WM_CHAR && (typed == '\t' || typed == '\r' || typed == 0x1b))
        return TRUE;
    if (handle_mnemonic(hDlg, typed, focus))
        return TRUE;
    dispatch(lpMsg);
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    const auto children = dialog_children(hDlg);
    const int count = int(children.size());
    if (count == 0)
        return nullptr;
    int start = index_of(children, dialog_child_of(hDlg, hCtl));
    if (start < 0)
        start = bPrevious ? count : -1;
    for (int k = 1; k <= count; ++k) {
        const int step = bPrevious ? -k : k;
        HWND candidate = children[size_t(((start + step) % count + count) % count)];
        if (visible_and_enabled(candidate) && (style_of(candidate) & WS_TABSTOP))
            return candidate;
    }
    return hCtl;
}

// The group of a control runs from the nearest WS_GROUP control at or before it to the control
// before the next WS_GROUP control.
HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    const auto children = dialog_children(hDlg);
    const int at = index_of(children, dialog_child_of(hDlg, hCtl));
    if (at < 0)
        return children.empty() ? nullptr : children.front();
    int first = at;
    while (first > 0 && !(style_of(children[size_t(first)]) & WS_GROUP))
        --first;
    int end = at + 1;
    while (end < int(children.size()) && !(style_of(children[size_t(end)]) & WS_GROUP))
        ++end;
    const int size = end - first;
    for (int k = 1; k < size; ++k) {
        const int offset = ((at - first + (bPrevious ? -k : k)) % size + size) % size;
        HWND candidate = children[size_t(first + offset)];
        if (visible_and_enabled(candidate))
            return candidate;
    }
    return hCtl;
}
