#include "dialog.h"

#include "message_thunks.h"
#include "win_app.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

HWND CDialog::ParentHandle() const {
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main && main != this ? main->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
    m_bModeless = FALSE;
    const INT_PTR result =
        ::DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, ParentHandle(), &DialogProc,
                          reinterpret_cast<LPARAM>(this));
    // The window is gone; a dialog whose creation failed half-way may still be attached.
    Detach();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    const HWND hWnd =
        ::CreateDialogParamA(AfxGetResourceHandle(), m_lpszTemplateName, ParentHandle(),
                             &DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || CWnd::FromHandlePermanent(hWnd))
        return TRUE;
    // From here on the window's procedure is the framework's; the dialog manager's procedure
    // becomes the default, and it calls this procedure, which leaves everything to it.
    dialog->Attach(hWnd);
    dialog->m_pfnSuper = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    return dialog->OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (m_bModeless)
        DestroyWindow();
    else
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (m_bModeless)
        DestroyWindow();
    else
        EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    return m_hWnd && ::IsDialogMessageA(m_hWnd, pMsg);
}
