#pragma once

#include "dialog_template.h"
#include "windows.h"

#include <memory>

namespace mullion {

// What the dialog manager keeps for each dialog window besides its extra bytes (which hold
// DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER, as programs expect).
struct DialogInfo {
    HFONT font = nullptr;
    bool owns_font = false;
    SIZE base_units{0, 0};
    // The control that had the focus when the dialog was last deactivated.
    HWND focus_control = nullptr;
    // DM_SETDEFID's identifier; 0 until set, when DM_GETDEFID looks for a default button.
    UINT default_id = 0;
    bool ended = false;
    INT_PTR result = 0;
    // The owner a modal loop disabled; EndDialog enables it again before hiding the dialog,
    // so that activation returns to it.
    HWND disabled_owner = nullptr;
};

// The dialog manager's record of a dialog window; null for other windows.
std::shared_ptr<DialogInfo> dialog_info(HWND dialog);
void forget_dialog(HWND dialog);

// Creates a dialog from a parsed template: the window (hidden), its font, its controls in
// template order, then WM_INITDIALOG; shows it afterwards when the template asks for
// WS_VISIBLE and show_when_visible is set. Null when a control could not be created (unless
// DS_NOFAILCREATE) or the window could not be.
HWND create_dialog(HINSTANCE instance, const DialogTemplate& dialog_template, HWND owner,
                   DLGPROC procedure, LPARAM parameter, bool show_when_visible);

// Runs the modal loop of a dialog created hidden, disabling its owner meanwhile, and destroys
// it; returns EndDialog's result.
INT_PTR run_modal_dialog(HWND dialog, HWND owner);

// The average character width and the height of a font, the dialog base units.
SIZE font_base_units(HFONT font);

// Moves the focus to a control as the keyboard does: an edit control's text is selected, and
// the default push button frame follows push buttons.
void dialog_set_focus(HWND dialog, HWND control);
// Gives the default frame to the push button with the focus, or back to the dialog's default
// button when the focus is not on a push button.
void dialog_update_default_button(HWND dialog, HWND focus);
// Puts the focus back where the dialog last had it (or on its first tab stop) unless a control
// of the dialog already has it.
void restore_dialog_focus(HWND dialog);

} // namespace mullion
