#include "line.h"

IMPLEMENT_SERIAL(CLine, CObject, 1)

CLine::CLine(POINT ptFrom, POINT ptTo, UINT nWidth, COLORREF crColor)
    : m_ptFrom(ptFrom), m_ptTo(ptTo), m_nWidth(nWidth), m_crColor(crColor) {}

void CLine::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_ptFrom << m_ptTo << DWORD(m_nWidth) << DWORD(m_crColor);
    else {
        DWORD dwWidth = 0;
        DWORD dwColor = 0;
        ar >> m_ptFrom >> m_ptTo >> dwWidth >> dwColor;
        m_nWidth = dwWidth;
        m_crColor = dwColor;
    }
}

void CLine::Draw(CDC* pDC) {
    CPen pen(PS_SOLID, static_cast<int>(m_nWidth), m_crColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(m_ptFrom);
    pDC->LineTo(m_ptTo);
    pDC->SelectObject(pOldPen);
}
