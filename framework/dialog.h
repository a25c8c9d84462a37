// CDialog: a dialog box from a dialog template. DoModal runs it modally and returns the value
// given to EndDialog; Create makes it modeless. Once the dialog manager has created the window,
// its messages go through the dialog object's message map, and unhandled ones to the dialog
// manager's default processing.
//
// A modeless dialog stays open beside its owner; the application's message loop gives it its
// keyboard interface (Tab, arrows, Enter, Esc, mnemonics) through PreTranslateMessage. A
// modeless dialog object usually lives on the heap and deletes itself in PostNcDestroy.
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
    // Creates the dialog modeless, owned by the parent (by default the application's main
    // window); the template's WS_VISIBLE shows it at once. FALSE when it could not be created,
    // in which case the object is not attached and PostNcDestroy has not run.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // WM_INITDIALOG: loads the controls from the members (UpdateData(FALSE)). TRUE lets the
    // dialog manager set the focus to the first control.
    virtual BOOL OnInitDialog();
    // The default handlers of the IDOK and IDCANCEL commands. OK stores and validates the
    // members and closes the dialog only when that succeeded; Cancel closes it. A modal dialog
    // closes with EndDialog(IDOK or IDCANCEL); a modeless one destroys its window.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    // Moves the focus to a control as the keyboard does (the default button frame follows,
    // an edit control's text is selected).
    void GotoDlgCtrl(CWnd* pWndCtrl);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    // The dialog procedure of framework dialogs: WM_INITDIALOG attaches the object (passed as
    // the creation parameter) and routes the window's messages through it.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND ParentHandle() const;
    BOOL IsModeless() const { return m_bModeless; }

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModeless = FALSE;
};
