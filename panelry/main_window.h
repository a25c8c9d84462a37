// CMainWindow of the configurable banner programs: the banner with its six settings. Each
// program defines CMainWindow::OnOptionsSettings (command 110), which edits the settings and
// then calls Invalidate().
#pragma once

#include "framework.h"
#include "main_window_resource.h"

class CSettingsDialog;

// The six settings as one record, handed from a modeless settings dialog to the window with
// the message WM_USER (lParam: its address). The receiver copies it and keeps no reference.
struct BannerSettings {
    int nFillType;
    int nFillColor;
    CString strText;
    int nTextHeight;
    BOOL bBold;
    BOOL bItalic;
};

class CMainWindow : public CFrameWnd {
public:
    explicit CMainWindow(LPCTSTR lpszTitle);

    int m_nFillType;  // 0 solid, 1 gradient
    int m_nFillColor; // index into g_crBannerColors
    CString m_strText;
    int m_nTextHeight; // points
    BOOL m_bBold;
    BOOL m_bItalic;
    // The open modeless settings dialog of Panelry5 (null when none is open, and always in
    // the other programs); the dialog clears it when its window is gone.
    CSettingsDialog* m_pSettingsDialog;

    void DoSolidFill(CDC* pDC, const CRect& rect);
    void DoGradientFill(CDC* pDC, const CRect& rect);
    void DrawBannerText(CDC* pDC, const CRect& rect);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnOptionsSettings();
    afx_msg void OnOptionsExit();
    afx_msg void OnOptionsAbout();
    // WM_USER: takes over the BannerSettings at lParam and repaints.
    afx_msg LRESULT OnApplySettings(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
