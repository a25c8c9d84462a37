// CMainWindow of Widgetry3: the same check mark on a bitmap button, a BS_BITMAP button and a
// BS_ICON button, with a command that disables and enables all three.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    CFont m_font;
    HBITMAP m_hBitmap = nullptr;
    CBitmapButton m_wndBitmapButton;
    CButton m_wndBSBitmap;
    CButton m_wndBSIcon;
    CStatic m_wndLabel1;
    CStatic m_wndLabel2;
    CStatic m_wndLabel3;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnOptionsDisable();
    afx_msg void OnOptionsExit();
    afx_msg void OnUpdateOptionsDisable(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
