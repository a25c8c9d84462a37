// CProgressFeedback: the copying thread's side of the progress dialog. It shows each file in
// the dialog's controls by window handle and asks its questions by sending the dialog private
// messages, so that the prompts run on the user-interface thread while the copying thread
// waits for the answer.
#pragma once

#include "copy_feedback.h"

// Sent to the progress dialog; each returns its answer plus one, so that 0 (the dialog is gone)
// reads as no answer.
#define WM_ASKREPLACE (WM_USER + 6)        // lParam: const CReplaceQuestion*
#define WM_CONFIRMCANCEL (WM_USER + 7)     // no arguments
#define WM_SHOWMISSINGSOURCE (WM_USER + 8) // lParam: LPCSTR, the message

class CProgressFeedback : public CCopyFeedback {
public:
    explicit CProgressFeedback(HWND hwndProgress = nullptr) : m_hwndProgress(hwndProgress) {}

    void ShowCurrentFile(const CString& strSourceName, const CString& strTargetPath) override;
    // Without an answer the copy is cancelled: the dialog that would have asked is gone.
    ReplaceAnswer AskReplace(const CReplaceQuestion& question) override;
    BOOL ConfirmCancel() override;
    void ShowMissingSource(const CString& strMessage) override;

private:
    HWND m_hwndProgress;
};
