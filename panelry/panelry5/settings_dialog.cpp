#include "settings_dialog.h"

#include "main_window.h"

void CSettingsDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    BannerSettings settings{m_nFillType,   m_nFillColor, m_strText,
                            m_nTextHeight, m_bBold,      m_bItalic};
    // Sent, not posted: the record lives on this stack only until the window has copied it.
    AfxGetMainWnd()->SendMessage(WM_USER, 0, reinterpret_cast<LPARAM>(&settings));
}

void CSettingsDialog::OnCancel() {
    DestroyWindow();
}

void CSettingsDialog::PostNcDestroy() {
    auto* pMainWnd = dynamic_cast<CMainWindow*>(AfxGetMainWnd());
    if (pMainWnd && pMainWnd->m_pSettingsDialog == this)
        pMainWnd->m_pSettingsDialog = nullptr;
    delete this;
}
