// CDialog: a dialog box from a dialog template. DoModal runs it modally and returns the value
// given to EndDialog; Create makes it modeless. Once the dialog manager has created the window,
// its messages go through the dialog object's message map, and unhandled ones to the dialog
// manager's default processing.
#pragma once

#include "window.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // The parent defaults to the application's main window. Returns the EndDialog result, or
    // -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // WM_INITDIALOG; TRUE lets the dialog manager set the focus to the first control.
    virtual BOOL OnInitDialog();
    // The default handlers of the IDOK and IDCANCEL commands.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    // The dialog procedure of framework dialogs: WM_INITDIALOG attaches the object (passed as
    // the creation parameter) and routes the window's messages through it.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND ParentHandle() const;

    DECLARE_MESSAGE_MAP()
};
