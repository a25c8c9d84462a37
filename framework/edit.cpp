#include "edit.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CEdit::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    Send(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        Send(EM_SCROLLCARET);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)),
           bNoScroll);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(Send(EM_GETSEL));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0;
    DWORD end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    Send(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::LimitText(int nChars) {
    Send(EM_LIMITTEXT, static_cast<WPARAM>(nChars));
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(Send(EM_GETLIMITTEXT));
}

void CEdit::Cut() {
    Send(WM_CUT);
}

void CEdit::Copy() {
    Send(WM_COPY);
}

void CEdit::Paste() {
    Send(WM_PASTE);
}

void CEdit::Clear() {
    Send(WM_CLEAR);
}

BOOL CEdit::Undo() {
    return static_cast<BOOL>(Send(EM_UNDO));
}

BOOL CEdit::CanUndo() const {
    return static_cast<BOOL>(Send(EM_CANUNDO));
}

void CEdit::EmptyUndoBuffer() {
    Send(EM_EMPTYUNDOBUFFER);
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(Send(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL bModified) {
    Send(EM_SETMODIFY, static_cast<WPARAM>(bModified));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(Send(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}

int CEdit::GetLineCount() const {
    return static_cast<int>(Send(EM_GETLINECOUNT));
}

int CEdit::LineIndex(int nLine) const {
    return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(nLine)));
}

int CEdit::LineLength(int nLine) const {
    return static_cast<int>(Send(EM_LINELENGTH, static_cast<WPARAM>(nLine)));
}

int CEdit::LineFromChar(int nIndex) const {
    return static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex)));
}

int CEdit::GetFirstVisibleLine() const {
    return static_cast<int>(Send(EM_GETFIRSTVISIBLELINE));
}

void CEdit::LineScroll(int nLines, int nChars) {
    Send(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
}
