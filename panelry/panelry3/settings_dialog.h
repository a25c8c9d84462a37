// CSettingsDialog of Panelry3: the settings dialog (template 130) that moves every value
// between its members and its controls by hand and checks the height itself.
#pragma once

#include "framework.h"

class CSettingsDialog : public CDialog {
public:
    explicit CSettingsDialog(CWnd* pParentWnd);

    int m_nFillType;
    int m_nFillColor;
    CString m_strText;
    int m_nTextHeight;
    BOOL m_bBold;
    BOOL m_bItalic;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    // The 0-based index of the checked button among nIDFirst..nIDLast; -1 when none is.
    int GetCheckedRadio(int nIDFirst, int nIDLast);

    afx_msg void OnDefaults();

    DECLARE_MESSAGE_MAP()
};
