// The settings command of Panelry5's banner window: at most one modeless settings dialog.
#include "main_window.h"

#include "settings_dialog.h"

void CMainWindow::OnOptionsSettings() {
    if (m_pSettingsDialog) {
        m_pSettingsDialog->SetFocus();
        return;
    }
    m_pSettingsDialog = new CSettingsDialog;
    m_pSettingsDialog->m_nFillType = m_nFillType;
    m_pSettingsDialog->m_nFillColor = m_nFillColor;
    m_pSettingsDialog->m_strText = m_strText;
    m_pSettingsDialog->m_nTextHeight = m_nTextHeight;
    m_pSettingsDialog->m_bBold = m_bBold;
    m_pSettingsDialog->m_bItalic = m_bItalic;
    // A dialog that could not be created was never attached to a window, so nothing deletes
    // it but this: the next command starts afresh.
    if (!m_pSettingsDialog->Create(IDD_SETTINGS, this)) {
        delete m_pSettingsDialog;
        m_pSettingsDialog = nullptr;
    }
}
