// CEdit: an edit control. Positions are character indexes into the control's text; lines
// are those of a multi-line control (a single-line control has one).
#pragma once

#include "window.h"

class CEdit : public CWnd {
public:
    // A child edit control; dwStyle gets WS_CHILD added.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The selection from nStartChar up to (not including) nEndChar; nStartChar 0 with nEndChar
    // -1 selects everything, nStartChar -1 removes the selection. The caret goes to the end
    // and is scrolled into view unless bNoScroll.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    // Start in the low word, end in the high word.
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    // Replaces the selection (or inserts at the caret) as if typed, so that Undo removes it.
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The most characters the user may enter; 0 means the control's largest limit.
    void LimitText(int nChars = 0);
    UINT GetLimitText() const;

    void Cut();
    void Copy();
    void Paste();
    void Clear();
    BOOL Undo();
    BOOL CanUndo() const;
    void EmptyUndoBuffer();
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);

    int GetLineCount() const;
    // The index of the line's first character; -1 means the caret's line.
    int LineIndex(int nLine = -1) const;
    // The length of the line that holds the character nLine (a character index, as the
    // control expects); -1 means the unselected characters on the selection's lines.
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int nLines, int nChars = 0);

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
};
