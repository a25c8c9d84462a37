// CColorStatic: a static text control that keeps its own text and background colours and
// answers its own colour query through message reflection.
#pragma once

#include "framework.h"

class CColorStatic : public CStatic {
public:
    CColorStatic();

    void SetTextColor(COLORREF clrText);
    void SetBkColor(COLORREF clrBack);

protected:
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrBack;
    CBrush m_brBkgnd;

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
