#include "main_window.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_COMMAND(IDM_FILE_NEW, OnFileNew)
ON_COMMAND(IDM_FILE_EXIT, OnFileExit)
ON_COMMAND(IDM_EDIT_UNDO, OnEditUndo)
ON_COMMAND(IDM_EDIT_CUT, OnEditCut)
ON_COMMAND(IDM_EDIT_COPY, OnEditCopy)
ON_COMMAND(IDM_EDIT_PASTE, OnEditPaste)
ON_COMMAND(IDM_EDIT_DELETE, OnEditDelete)
ON_UPDATE_COMMAND_UI(IDM_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(IDM_EDIT_CUT, OnUpdateEditCut)
ON_UPDATE_COMMAND_UI(IDM_EDIT_COPY, OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(IDM_EDIT_PASTE, OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(IDM_EDIT_DELETE, OnUpdateEditDelete)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Widgetry1", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
    LoadAccelTable(MAKEINTRESOURCE(IDR_MAINFRAME));
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    // No horizontal scrolling, so long lines wrap at the right margin. The first WM_SIZE gives
    // the control its real size.
    m_wndEdit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                     CRect(0, 0, 0, 0), this, IDC_EDIT);
    m_wndEdit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(8, 8));
    return 0;
}

void CMainWindow::OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    m_wndEdit.MoveWindow(0, 0, cx, cy);
    m_wndEdit.Invalidate();
}

void CMainWindow::OnSetFocus(CWnd* /*pOldWnd*/) {
    m_wndEdit.SetFocus();
}

void CMainWindow::OnFileNew() {
    m_wndEdit.SetWindowText("");
}

void CMainWindow::OnFileExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

void CMainWindow::OnEditUndo() {
    m_wndEdit.Undo();
}

void CMainWindow::OnEditCut() {
    m_wndEdit.Cut();
}

void CMainWindow::OnEditCopy() {
    m_wndEdit.Copy();
}

void CMainWindow::OnEditPaste() {
    m_wndEdit.Paste();
}

void CMainWindow::OnEditDelete() {
    m_wndEdit.Clear();
}

BOOL CMainWindow::HasSelection() const {
    int nStart = 0;
    int nEnd = 0;
    m_wndEdit.GetSel(nStart, nEnd);
    return nEnd != nStart;
}

void CMainWindow::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_wndEdit.CanUndo());
}

void CMainWindow::OnUpdateEditCut(CCmdUI* pCmdUI) {
    pCmdUI->Enable(HasSelection());
}

void CMainWindow::OnUpdateEditCopy(CCmdUI* pCmdUI) {
    pCmdUI->Enable(HasSelection());
}

void CMainWindow::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT));
}

void CMainWindow::OnUpdateEditDelete(CCmdUI* pCmdUI) {
    pCmdUI->Enable(HasSelection());
}
