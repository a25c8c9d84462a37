#include "settings_sheet.h"

#include "main_window.h"

BEGIN_MESSAGE_MAP(CSettingsSheet, CPropertySheet)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

CSettingsSheet::CSettingsSheet(CWnd* pParentWnd) : CPropertySheet("Properties", pParentWnd, 0) {
    AddPage(&m_backgroundPage);
    AddPage(&m_textPage);
}

void CSettingsSheet::OnApplyNow() {
    // A value the active page refuses has been reported: nothing is applied or cleared.
    if (!GetActivePage()->UpdateData(TRUE))
        return;
    ApplySettings(static_cast<CMainWindow*>(AfxGetMainWnd()), this);
    m_backgroundPage.SetModified(FALSE);
    m_textPage.SetModified(FALSE);
}
