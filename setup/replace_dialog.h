// CReplaceDialog: the overwrite prompt, shown when a file to install is already at the target.
// It describes both files by size and last-write date and answers Yes, Yes To All, No or
// Cancel.
#pragma once

#include "copy_feedback.h"
#include "setup_dialog.h"

class CReplaceDialog : public CSetupDialog {
public:
    explicit CReplaceDialog(const CReplaceQuestion& question, CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;

    // The user's answer, from the modal result and the two flags the buttons set.
    ReplaceAnswer GetAnswer(INT_PTR nResult) const;

    CString m_strName;
    LONG m_nNewSize;
    LONG m_nOldSize;
    FILETIME m_ftNewTime;
    FILETIME m_ftOldTime;
    BOOL m_bYesToAll = FALSE;
    BOOL m_bNo = FALSE;

protected:
    afx_msg void OnYesToAll();
    afx_msg void OnNo();

    DECLARE_MESSAGE_MAP()
};
