// CMainWindow of Widgetry2: a frame that behaves like a dialog box. It holds a standard and a
// numeric single-line edit control, each with a label whose mnemonic moves the focus to it,
// and hands every message to the dialog manager so that Tab, Shift+Tab, Alt+S and Alt+N work.
#pragma once

#include "framework.h"
#include "num_edit.h"

#define IDC_EDIT 100
#define IDC_NUMEDIT 101

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

    // The dialog manager handles the keyboard; the frame's accelerators are not used.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    int m_cxChar = 0;
    int m_cyChar = 0;
    CFont m_font;
    CStatic m_wndLabel1;
    CStatic m_wndLabel2;
    CEdit m_wndEdit;
    CNumEdit m_wndNumEdit;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
