// CMainWindow of Widgetry5: the message is a CColorStatic that colours itself; the radio
// buttons' commands give it its colour.
#pragma once

#include "color_static.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

protected:
    int m_cxChar = 0;
    int m_cyChar = 0;
    CFont m_font;
    CColorStatic m_wndSampleText;
    CButton m_wndRed;
    CButton m_wndGreen;
    CButton m_wndBlue;
    CButton m_wndSampleGroup;
    CButton m_wndColorGroup;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnRed();
    afx_msg void OnGreen();
    afx_msg void OnBlue();

    DECLARE_MESSAGE_MAP()
};
