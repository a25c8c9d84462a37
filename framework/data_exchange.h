// Dialog data exchange: CDataExchange carries the direction of one exchange between a window's
// controls and its member variables; the DDX_ functions move one value each, the DDV_ functions
// check the value just moved. A DDV_ call follows the DDX_ call of the same control.
//
// A value that fails (text that is no number, a number out of range) is reported in a message
// box; the focus then goes to the control, whose text is selected if it is an edit control,
// and the exchange is abandoned (CDataExchange::Fail throws CUserException, which UpdateData
// catches).
#pragma once

#include "cstring.h"
#include "user_exception.h"

class CWnd;

class CDataExchange {
public:
    // TRUE: from the controls to the members, with validation; FALSE: to the controls.
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control nIDC of the window, remembered as the one a failure concerns. A missing
    // control fails the exchange.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text a failure selects.
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control (selecting an edit control's text) when saving, and
    // abandons the exchange. A window destroyed meanwhile (its owner closed while the message
    // box was open) is left alone.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

private:
    // The window's handle, which stays safe to pass on after the window and its object are gone.
    HWND m_hDlgWnd;
};

// Text of an edit (or any) control. The numeric forms take optional surrounding white space and,
// for int, a sign; anything else, or a number that does not fit, fails the exchange.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Check state of a check box: 0, 1, or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked radio button among the radio buttons of the group that starts at nIDC
// (which must carry WS_GROUP) and runs up to the next WS_GROUP control; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Attaches rControl to the control nIDC the first time (subclassing it, so that its messages
// go through the object's message map); later exchanges leave it attached.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
// When saving, text longer than nChars fails; when loading, the edit control is limited to
// nChars characters.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
