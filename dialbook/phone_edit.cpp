#include "phone_edit.h"

BEGIN_MESSAGE_MAP(CPhoneEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

BOOL CPhoneEdit::IsPhoneCharacter(UINT nChar) {
    return (nChar >= '0' && nChar <= '9') || nChar == '\b' || nChar == ' ' || nChar == '(' ||
           nChar == ')' || nChar == '-';
}

// Any other character is dropped silently.
void CPhoneEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsPhoneCharacter(nChar))
        CEdit::OnChar(nChar, nRepCnt, nFlags);
}
