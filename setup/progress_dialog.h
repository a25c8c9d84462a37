// CProgressDialog: the modeless dialog shown while the copying thread runs. It starts the
// thread when it opens, puts the thread's questions to the user, offers Cancel, and ends the
// sequence when the thread reports that it has finished.
#pragma once

#include "copy_worker.h"
#include "progress_feedback.h"
#include "setup_dialog.h"

class CProgressDialog : public CSetupDialog {
public:
    CProgressDialog();

    BOOL OnInitDialog() override;
    // Enter does not close the dialog: only the end of the copy does.
    void OnOK() override;
    // Asks for confirmation; a confirmed cancel stops the copy, and the dialog stays until the
    // thread has finished.
    void OnCancel() override;

protected:
    afx_msg LRESULT OnCopyDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAskReplace(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnConfirmCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowMissingSource(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Waits for the copying thread, which has already posted its last message, to end.
    void JoinCopyThread();

    CProgressFeedback m_feedback;
    CopyThreadParams m_params{};
    CWinThread* m_pThread = nullptr;
};
