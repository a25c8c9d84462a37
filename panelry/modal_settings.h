// The settings command of the programs with a modal settings dialog (Panelry3, Panelry4): the
// window's six settings are copied into the dialog, and back only when it ends with OK.
#pragma once

#include "main_window.h"

template <class TSettingsDialog> void EditSettingsModally(CMainWindow* pWindow) {
    TSettingsDialog dlg(pWindow);
    dlg.m_nFillType = pWindow->m_nFillType;
    dlg.m_nFillColor = pWindow->m_nFillColor;
    dlg.m_strText = pWindow->m_strText;
    dlg.m_nTextHeight = pWindow->m_nTextHeight;
    dlg.m_bBold = pWindow->m_bBold;
    dlg.m_bItalic = pWindow->m_bItalic;
    if (dlg.DoModal() != IDOK)
        return;
    pWindow->m_nFillType = dlg.m_nFillType;
    pWindow->m_nFillColor = dlg.m_nFillColor;
    pWindow->m_strText = dlg.m_strText;
    pWindow->m_nTextHeight = dlg.m_nTextHeight;
    pWindow->m_bBold = dlg.m_bBold;
    pWindow->m_bItalic = dlg.m_bItalic;
    pWindow->Invalidate(TRUE);
}
