#include "list_box.h"

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

LRESULT CListBox::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

int CListBox::GetCount() const {
    return static_cast<int>(Send(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
    return static_cast<int>(Send(LB_GETCURSEL));
}

int CListBox::SetCurSel(int nSelect) {
    return static_cast<int>(Send(LB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CListBox::GetTopIndex() const {
    return static_cast<int>(Send(LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int nIndex) {
    return static_cast<int>(Send(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
}

int CListBox::AddString(LPCTSTR lpszItem) {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
    return static_cast<int>(
        Send(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex) {
    return static_cast<int>(Send(LB_DELETESTRING, nIndex));
}

void CListBox::ResetContent() {
    Send(LB_RESETCONTENT);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
    return static_cast<int>(
        Send(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const {
    const int length = GetTextLen(nIndex);
    if (length < 0) {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBuffer(length));
    rString.ReleaseBuffer(length);
}

int CListBox::GetTextLen(int nIndex) const {
    return static_cast<int>(Send(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return static_cast<int>(
        Send(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return static_cast<int>(Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                 reinterpret_cast<LPARAM>(lpszFind)));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
    return static_cast<int>(Send(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter),
                                 reinterpret_cast<LPARAM>(lpszItem)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(Send(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(
        Send(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CListBox::GetItemHeight(int nIndex) const {
    return static_cast<int>(Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
    return static_cast<int>(
        Send(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}

void CListBox::SetTabStops() {
    Send(LB_SETTABSTOPS);
}

BOOL CListBox::SetTabStops(const int& cxEachStop) {
    return static_cast<BOOL>(Send(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cxEachStop)));
}

BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops) {
    return static_cast<BOOL>(
        Send(LB_SETTABSTOPS, static_cast<WPARAM>(nTabStops), reinterpret_cast<LPARAM>(rgTabStops)));
}
