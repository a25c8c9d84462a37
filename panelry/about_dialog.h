// CAboutDialog: the About box of the banner programs (dialog template 120). It shows the main
// window's class icon enlarged into the rectangle of its placeholder control (121).
#pragma once

#include "framework.h"

#define IDD_ABOUTDLG 120
#define IDC_ICONRECT 121

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(CWnd* pParentWnd);

    BOOL OnInitDialog() override;

protected:
    CRect m_rcIcon; // client coordinates of the placeholder, which is destroyed

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
