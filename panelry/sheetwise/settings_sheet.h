// CSettingsSheet: the "Properties" sheet of Sheetwise with its two pages, Background and Text.
// Apply hands the pages' values to the main window without closing the sheet.
#pragma once

#include "background_page.h"
#include "text_page.h"

class CMainWindow;

class CSettingsSheet : public CPropertySheet {
public:
    explicit CSettingsSheet(CWnd* pParentWnd);

    CBackgroundPage m_backgroundPage;
    CTextPage m_textPage;

protected:
    afx_msg void OnApplyNow();

    DECLARE_MESSAGE_MAP()
};

// Copies the six values of the sheet's pages into the window (fill type, fill colour, text,
// height, bold, italic) and repaints it whole.
void ApplySettings(CMainWindow* pWindow, CSettingsSheet* pSheet);
