#include "color_static.h"

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorStatic::CColorStatic() : m_clrBack(::GetSysColor(COLOR_BTNFACE)) {
    m_brBkgnd.CreateSolidBrush(m_clrBack);
}

void CColorStatic::SetTextColor(COLORREF clrText) {
    m_clrText = clrText;
    Invalidate(TRUE);
}

void CColorStatic::SetBkColor(COLORREF clrBack) {
    m_clrBack = clrBack;
    m_brBkgnd.DeleteObject();
    m_brBkgnd.CreateSolidBrush(clrBack);
    Invalidate(TRUE);
}

HBRUSH CColorStatic::CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(m_clrText);
    pDC->SetBkColor(m_clrBack);
    return static_cast<HBRUSH>(m_brBkgnd.m_hObject);
}
