#include "progress_feedback.h"

#include "fit_path_to_width.h"
#include "resource.h"
#include "setup_globals.h"

void CProgressFeedback::ShowCurrentFile(const CString& strSourceName,
                                        const CString& strTargetPath) {
    ::SetDlgItemTextA(m_hwndProgress, IDC_SOURCE_NAME, strSourceName);
    ::SetDlgItemTextA(m_hwndProgress, IDC_TARGET_PATH,
                      FitPathToWidth(strTargetPath, m_hwndProgress, g_cxTargetField));
}

ReplaceAnswer CProgressFeedback::AskReplace(const CReplaceQuestion& question) {
    const LRESULT nAnswer =
        ::SendMessageA(m_hwndProgress, WM_ASKREPLACE, 0, reinterpret_cast<LPARAM>(&question));
    return nAnswer ? static_cast<ReplaceAnswer>(nAnswer - 1) : kReplaceCancel;
}

BOOL CProgressFeedback::ConfirmCancel() {
    const LRESULT nAnswer = ::SendMessageA(m_hwndProgress, WM_CONFIRMCANCEL, 0, 0);
    return nAnswer ? nAnswer - 1 : TRUE;
}

void CProgressFeedback::ShowMissingSource(const CString& strMessage) {
    ::SendMessageA(m_hwndProgress, WM_SHOWMISSINGSOURCE, 0,
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strMessage)));
}
