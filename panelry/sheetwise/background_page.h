// CBackgroundPage: the "Background" page of the settings sheet, the fill type and fill colour
// as two radio groups. Any click on a radio button marks the page modified.
#pragma once

#include "framework.h"

class CBackgroundPage : public CPropertyPage {
public:
    CBackgroundPage();

    int m_nFillType;  // 0 solid, 1 gradient
    int m_nFillColor; // index into the banner's colour table

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChange(UINT nID);

    DECLARE_MESSAGE_MAP()
};
