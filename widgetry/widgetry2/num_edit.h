// CNumEdit: an edit control that takes only the characters of a phone-style number when they
// are typed. Text that arrives otherwise (pasted, or set by the program) is not filtered.
#pragma once

#include "framework.h"

class CNumEdit : public CEdit {
public:
    // Whether a typed character reaches the edit control: the digits, space, '(', ')', '-'
    // and the keyboard's control codes. Control codes are commands rather than text
    // (backspace, and the Ctrl+C / Ctrl+V / Ctrl+X / Ctrl+Z clipboard and undo keys, which
    // the edit control receives as characters), so pasting keeps working.
    static BOOL IsAccepted(UINT nChar);

protected:
    // Passes accepted characters on to the edit control and drops the rest silently.
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()
};
