// CListBox: a single-selection list box. Indexes count from 0; LB_ERR (-1) reports a bad
// index or no selection.
#pragma once

#include "window.h"

class CListBox : public CWnd {
public:
    // A child list box; dwStyle gets WS_CHILD added.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int GetCurSel() const;
    // Selects the item and scrolls it into view; -1 removes the selection.
    int SetCurSel(int nSelect);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);

    // A sorted list box puts the string in its place; others append it.
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    // Returns the number of items left.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int GetItemHeight(int nIndex) const;
    int GetItemRect(int nIndex, LPRECT lpRect) const;

    // Tab stops in dialog template units: the default, one repeated every cxEachStop, or a list.
    void SetTabStops();
    BOOL SetTabStops(const int& cxEachStop);
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops);

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
};
