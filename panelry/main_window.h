// CMainWindow of the configurable banner programs: the banner with its six settings. Each
// program defines CMainWindow::OnOptionsSettings (command 110), which edits the settings and
// then calls Invalidate().
#pragma once

#include "framework.h"
#include "main_window_resource.h"

class CMainWindow : public CFrameWnd {
public:
    explicit CMainWindow(LPCTSTR lpszTitle);

    int m_nFillType;  // 0 solid, 1 gradient
    int m_nFillColor; // index into g_crBannerColors
    CString m_strText;
    int m_nTextHeight; // points
    BOOL m_bBold;
    BOOL m_bItalic;

    void DoSolidFill(CDC* pDC, const CRect& rect);
    void DoGradientFill(CDC* pDC, const CRect& rect);
    void DrawBannerText(CDC* pDC, const CRect& rect);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnOptionsSettings();
    afx_msg void OnOptionsExit();
    afx_msg void OnOptionsAbout();

    DECLARE_MESSAGE_MAP()
};
