#include "num_edit.h"

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

BOOL CNumEdit::IsAccepted(UINT nChar) {
    if (nChar >= '0' && nChar <= '9')
        return TRUE;
    switch (nChar) {
    case ' ':
    case '(':
    case ')':
    case '-':
        return TRUE;
    default:
        return nChar < 0x20 || nChar == 0x7F;
    }
}

void CNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsAccepted(nChar))
        CEdit::OnChar(nChar, nRepCnt, nFlags);
}
