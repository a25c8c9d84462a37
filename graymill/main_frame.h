// CMainFrame: Graymill's main window, with a status bar whose pane 1 shows the image's
// statistics and pane 2 the progress of a gray-scale conversion.
#pragma once

#include "framework.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame() = default;

    // The text of a status pane (0 messages, 1 statistics, 2 progress).
    CString GetPaneText(int nIndex) const { return m_wndStatusBar.GetPaneText(nIndex); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg LRESULT OnUpdateImageStats(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThreadUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThreadFinished(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThreadAborted(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);

protected:
    CStatusBar m_wndStatusBar;
    int m_nPercentDone = -1;

    DECLARE_MESSAGE_MAP()
};
