// CMainWindow of Panelry1: the default banner, an Exit command and an About box.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnOptionsExit();
    afx_msg void OnOptionsAbout();

    DECLARE_MESSAGE_MAP()
};
