#include "replace_dialog.h"

#include "date_format.h"
#include "entry_format.h"
#include "resource.h"
#include "size_format.h"

BEGIN_MESSAGE_MAP(CReplaceDialog, CSetupDialog)
ON_BN_CLICKED(IDC_YES_TO_ALL, OnYesToAll)
ON_BN_CLICKED(IDC_REPLACE_NO, OnNo)
END_MESSAGE_MAP()

CReplaceDialog::CReplaceDialog(const CReplaceQuestion& question, CWnd* pParentWnd)
    : CSetupDialog(IDD_REPLACE, pParentWnd), m_strName(question.strName),
      m_nNewSize(question.nNewSize), m_nOldSize(question.nOldSize), m_ftNewTime(question.ftNewTime),
      m_ftOldTime(question.ftOldTime) {}

BOOL CReplaceDialog::OnInitDialog() {
    m_bYesToAll = FALSE;
    m_bNo = FALSE;
    ShowTitleEntry(18);
    ShowEntryWith(IDC_TEXT, 19, m_strName);
    ShowEntry(IDC_SECOND_TEXT, 20);
    // The first pair of lines describes the incoming file, the second the one already there.
    SetDlgItemText(IDC_NEW_SIZE, FormatFileSize(m_nNewSize));
    SetDlgItemText(IDC_OLD_SIZE, FormatFileSize(m_nOldSize));
    ShowEntry(IDC_MIDDLE_TEXT, 22);
    ShowEntryWith(IDC_NEW_DATE, 21, FormatFileDate(m_ftNewTime));
    ShowEntryWith(IDC_OLD_DATE, 21, FormatFileDate(m_ftOldTime));
    ShowEntry(IDOK, 24);
    ShowEntry(IDCANCEL, 2);
    ShowEntry(IDC_YES_TO_ALL, 23);
    CenterOnOwner();
    return CSetupDialog::OnInitDialog();
}

ReplaceAnswer CReplaceDialog::GetAnswer(INT_PTR nResult) const {
    if (m_bNo)
        return kReplaceNo;
    if (nResult != IDOK)
        return kReplaceCancel;
    return m_bYesToAll ? kReplaceYesToAll : kReplaceYes;
}

void CReplaceDialog::OnYesToAll() {
    m_bYesToAll = TRUE;
    SendMessage(WM_COMMAND, IDOK);
}

void CReplaceDialog::OnNo() {
    m_bNo = TRUE;
    EndDialog(IDOK);
}
