// CTextPage: the "Text" page of the settings sheet, the banner text, its height in points
// (8 to 144) and its weight and slant. Any edit or click marks the page modified.
#pragma once

#include "framework.h"

class CTextPage : public CPropertyPage {
public:
    CTextPage();

    CString m_strText;
    int m_nTextHeight; // points
    BOOL m_bBold;
    BOOL m_bItalic;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChange();

    DECLARE_MESSAGE_MAP()
};
