// The properties command of Sheetwise's banner window: the settings property sheet.
#include "main_window.h"

#include "settings_sheet.h"

void CMainWindow::OnOptionsSettings() {
    CSettingsSheet sheet(this);
    sheet.m_backgroundPage.m_nFillType = m_nFillType;
    sheet.m_backgroundPage.m_nFillColor = m_nFillColor;
    sheet.m_textPage.m_strText = m_strText;
    sheet.m_textPage.m_nTextHeight = m_nTextHeight;
    sheet.m_textPage.m_bBold = m_bBold;
    sheet.m_textPage.m_bItalic = m_bItalic;
    if (sheet.DoModal() == IDOK)
        ApplySettings(this, &sheet);
}

void ApplySettings(CMainWindow* pWindow, CSettingsSheet* pSheet) {
    pWindow->m_nFillType = pSheet->m_backgroundPage.m_nFillType;
    pWindow->m_nFillColor = pSheet->m_backgroundPage.m_nFillColor;
    pWindow->m_strText = pSheet->m_textPage.m_strText;
    pWindow->m_nTextHeight = pSheet->m_textPage.m_nTextHeight;
    pWindow->m_bBold = pSheet->m_textPage.m_bBold;
    pWindow->m_bItalic = pSheet->m_textPage.m_bItalic;
    pWindow->Invalidate(TRUE);
}
