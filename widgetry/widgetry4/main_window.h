// CMainWindow of Widgetry4: the message is coloured by the window's own answer to the
// message control's colour query, read from the radio buttons' check states.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    int m_cxChar = 0;
    int m_cyChar = 0;
    CFont m_font;
    CStatic m_wndSampleText;
    CButton m_wndRed;
    CButton m_wndGreen;
    CButton m_wndBlue;
    CButton m_wndSampleGroup;
    CButton m_wndColorGroup;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnColorButton(UINT nID);

    DECLARE_MESSAGE_MAP()
};
