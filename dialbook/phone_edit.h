// CPhoneEdit: the dialog's phone field. Typed characters reach the edit control only when they
// belong in a phone number: digits, space, parentheses, hyphen, and backspace to correct.
#pragma once

#include "framework.h"

class CPhoneEdit : public CEdit {
public:
    static BOOL IsPhoneCharacter(UINT nChar);

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()
};
