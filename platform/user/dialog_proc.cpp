// DefDlgProcA, the window procedure of dialogs: the dialog procedure first, then the dialog
// manager's defaults (focus keeping, the default button, closing, the background).
#include "dialog_manager.h"

namespace mullion {

namespace {

// Messages whose dialog-procedure result is the message's result itself; for the others a
// TRUE result means "handled" and the value is in DWLP_MSGRESULT.
bool returns_directly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

bool is_push_button_code(LRESULT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

LRESULT dialog_code(HWND control) {
    return control ? SendMessageA(control, WM_GETDLGCODE, 0, 0) : 0;
}

// The default button: DM_SETDEFID's, else the first control that says it is one.
LRESULT default_id(HWND dialog, const DialogInfo& info) {
    if (info.default_id)
        return MAKELONG(info.default_id, DC_HASDEFID);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (dialog_code(child) & DLGC_DEFPUSHBUTTON)
            return MAKELONG(GetDlgCtrlID(child), DC_HASDEFID);
    return 0;
}

void set_default_id(HWND dialog, DialogInfo& info, UINT id) {
    const LRESULT old = default_id(dialog, info);
    info.default_id = id;
    HWND old_button = HIWORD(old) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(old)) : nullptr;
    HWND new_button = GetDlgItem(dialog, int(id));
    if (old_button && old_button != new_button && (dialog_code(old_button) & DLGC_DEFPUSHBUTTON))
        SendMessageA(old_button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (new_button && (dialog_code(new_button) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(new_button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// WM_NEXTDLGCTL: lparam nonzero means wparam is the control; otherwise wparam zero moves to
// the next tab stop and nonzero to the previous one.
void next_dialog_control(HWND dialog, WPARAM wparam, LPARAM lparam) {
    HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(dialog, GetFocus(), wparam != 0);
    if (target && IsChild(dialog, target))
        dialog_set_focus(dialog, target);
}

LRESULT default_control_color(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT default_dialog_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto info = dialog_info(dialog);
    if (!info)
        return DefWindowProcA(dialog, message, wparam, lparam);
    switch (message) {
    case WM_INITDIALOG:
        return 0;
    case WM_ERASEBKGND: {
        auto dc = reinterpret_cast<HDC>(wparam);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(dialog, WM_CTLCOLORDLG, wparam, reinterpret_cast<LPARAM>(dialog)));
        RECT client;
        GetClientRect(dialog, &client);
        FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORMSGBOX:
        return default_control_color(reinterpret_cast<HDC>(wparam));
    case WM_CLOSE: {
        // Closing is Cancel: the Cancel button's click, unless that button is disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(dialog, focus))
                info->focus_control = focus;
        } else {
            restore_dialog_focus(dialog);
        }
        return 0;
    case WM_SETFOCUS:
        restore_dialog_focus(dialog);
        return 0;
    case WM_SHOWWINDOW:
        if (!wparam) {
            HWND focus = GetFocus();
            if (focus && IsChild(dialog, focus))
                info->focus_control = focus;
        }
        return DefWindowProcA(dialog, message, wparam, lparam);
    case DM_GETDEFID:
        return default_id(dialog, *info);
    case DM_SETDEFID:
        set_default_id(dialog, *info, UINT(wparam));
        return TRUE;
    case WM_NEXTDLGCTL:
        next_dialog_control(dialog, wparam, lparam);
        return 0;
    case WM_SETFONT:
        info->font = reinterpret_cast<HFONT>(wparam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(info->font);
    case WM_NCDESTROY:
        forget_dialog(dialog);
        return DefWindowProcA(dialog, message, wparam, lparam);
    default:
        return DefWindowProcA(dialog, message, wparam, lparam);
    }
}

} // namespace

void restore_dialog_focus(HWND dialog) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus))
        return;
    auto info = dialog_info(dialog);
    HWND target = info && info->focus_control && IsWindow(info->focus_control) &&
                          IsChild(dialog, info->focus_control)
                      ? info->focus_control
                      : GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target)
        dialog_set_focus(dialog, target);
}

void dialog_set_focus(HWND dialog, HWND control) {
    const LRESULT code = dialog_code(control);
    dialog_update_default_button(dialog, control);
    SetFocus(control);
    if (code & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
    if (auto info = dialog_info(dialog))
        info->focus_control = control;
}

void dialog_update_default_button(HWND dialog, HWND focus) {
    auto info = dialog_info(dialog);
    if (!info)
        return;
    const LRESULT focus_code = dialog_code(focus);
    const LRESULT defid = default_id(dialog, *info);
    HWND default_button =
        HIWORD(defid) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(defid)) : nullptr;
    // Remember the real default before the frame moves away from it.
    if (!info->default_id && default_button)
        info->default_id = UINT(GetDlgCtrlID(default_button));
    // The push button with the focus wears the default frame; otherwise the default button.
    HWND wearer = is_push_button_code(focus_code) ? focus : default_button;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT code = dialog_code(child);
        if (child != wearer && (code & DLGC_DEFPUSHBUTTON))
            SendMessageA(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (wearer && (dialog_code(wearer) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(wearer, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

} // namespace mullion

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC));
    if (procedure) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        const INT_PTR handled = procedure(hDlg, Msg, wParam, lParam);
        // The dialog manager's record goes with the window whatever the procedure did.
        if (handled && Msg != WM_NCDESTROY) {
            if (mullion::returns_directly(Msg))
                return handled;
            return IsWindow(hDlg) ? GetWindowLongPtrA(hDlg, DWLP_MSGRESULT) : 0;
        }
        if (Msg != WM_NCDESTROY && !IsWindow(hDlg))
            return 0;
    }
    return mullion::default_dialog_message(hDlg, Msg, wParam, lParam);
}
