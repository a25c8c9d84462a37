#include "progress_dialog.h"

#include "cancel_dialog.h"
#include "cancelled_dialog.h"
#include "copy_tree.h"
#include "finish_dialog.h"
#include "replace_dialog.h"
#include "resource.h"
#include "setup_globals.h"
#include "shortcut_placement.h"

#include <objbase.h>

BEGIN_MESSAGE_MAP(CProgressDialog, CSetupDialog)
ON_MESSAGE(WM_COPYDONE, OnCopyDone)
ON_MESSAGE(WM_ASKREPLACE, OnAskReplace)
ON_MESSAGE(WM_CONFIRMCANCEL, OnConfirmCancel)
ON_MESSAGE(WM_SHOWMISSINGSOURCE, OnShowMissingSource)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog() : CSetupDialog(IDD_PROGRESS) {}

BOOL CProgressDialog::OnInitDialog() {
    g_cxTargetField = GetItemWidth(IDC_TARGET_PATH);

    ShowTitleEntry(11);
    ShowEntry(IDC_TEXT, 12);
    ShowEntry(IDC_SECOND_TEXT, 13);
    SetDlgItemText(IDC_SOURCE_NAME, "");
    SetDlgItemText(IDC_TARGET_PATH, "");
    ShowEntry(IDCANCEL, 2);

    g_hwndProgress = m_hWnd;
    g_bCancelled = false;
    g_bCopyFailed = FALSE;

    m_feedback = CProgressFeedback(m_hWnd);
    m_params = CopyThreadParams{m_hWnd, &m_feedback};
    // Suspended until the object is told to stay, so that it is still there to wait on.
    m_pThread = AfxBeginThread(CopyWorker, &m_params, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread) {
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
    } else {
        // Without a thread nothing will report the end: report it here.
        PostMessage(WM_COPYDONE);
    }
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}

void CProgressDialog::OnOK() {}

void CProgressDialog::OnCancel() {
    // Owned by this dialog, which it disables, so that Cancel cannot be pressed twice.
    CCancelDialog dlg(this);
    if (dlg.DoModal() == IDOK)
        CancelCopy();
}

LRESULT CProgressDialog::OnCopyDone(WPARAM, LPARAM) {
    JoinCopyThread();
    DestroyWindow();
    g_hwndProgress = nullptr;
    if (g_bCancelled) {
        CCancelledDialog dlg;
        dlg.DoModal();
    } else {
        PlaceShortcut();
        if (g_bCopyFailed) {
            AfxMessageBox(TextEntry(29), MB_OK | MB_ICONEXCLAMATION);
        } else {
            CFinishDialog dlg;
            dlg.DoModal();
        }
    }
    ::CoUninitialize();
    if (::IsWindow(g_hwndMain))
        ::DestroyWindow(g_hwndMain);
    return 0;
}

LRESULT CProgressDialog::OnAskReplace(WPARAM, LPARAM lParam) {
    CReplaceDialog dlg(*reinterpret_cast<const CReplaceQuestion*>(lParam));
    const INT_PTR nResult = dlg.DoModal();
    return dlg.GetAnswer(nResult) + 1;
}

LRESULT CProgressDialog::OnConfirmCancel(WPARAM, LPARAM) {
    CCancelDialog dlg;
    return (dlg.DoModal() == IDOK) + 1;
}

LRESULT CProgressDialog::OnShowMissingSource(WPARAM, LPARAM lParam) {
    AfxMessageBox(reinterpret_cast<LPCSTR>(lParam), MB_OK);
    return 1;
}

void CProgressDialog::JoinCopyThread() {
    if (!m_pThread)
        return;
    ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    delete m_pThread;
    m_pThread = nullptr;
}
