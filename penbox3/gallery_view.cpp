#include "gallery_view.h"

#include <cstdio>
#include <cstring>

namespace {

struct StyleName {
    int nStyle;
    char szName[16];
};

const StyleName kPenStyles[] = {
    {PS_SOLID, "PS_SOLID"},
    {PS_DASH, "PS_DASH"},
    {PS_DOT, "PS_DOT"},
    {PS_DASHDOT, "PS_DASHDOT"},
    {PS_DASHDOTDOT, "PS_DASHDOTDOT"},
    {PS_NULL, "PS_NULL"},
    {PS_INSIDEFRAME, "PS_INSIDEFRAME"},
};

const int kPenWidths[] = {2, 8, 16, 24};

// Alphabetical by name.
const StyleName kHatchStyles[] = {
    {HS_BDIAGONAL, "HS_BDIAGONAL"},   {HS_CROSS, "HS_CROSS"},
    {HS_DIAGCROSS, "HS_DIAGCROSS"},   {HS_FDIAGONAL, "HS_FDIAGONAL"},
    {HS_HORIZONTAL, "HS_HORIZONTAL"}, {HS_VERTICAL, "HS_VERTICAL"},
};

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

void DrawLabel(CDC* pDC, int x, int y, const char* pszText) {
    pDC->TextOut(x, y, pszText, static_cast<int>(std::strlen(pszText)));
}

} // namespace

BEGIN_MESSAGE_MAP(CGalleryView, CScrollView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CPoint CGalleryView::HatchOrigin(POINT ptDevice) {
    // C++ remainders take the sign of the dividend.
    return CPoint(ptDevice.x % 8, ptDevice.y % 8);
}

int CGalleryView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CScrollView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CClientDC dc(this);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    m_cxChar = tm.tmAveCharWidth;
    m_cyChar = tm.tmHeight;
    return 0;
}

void CGalleryView::OnSize(UINT, int, int cy) {
    SetScrollSizes(MM_TEXT, CSize(0, kTotalLines * m_cyChar), CSize(0, cy), CSize(0, m_cyChar));
}

void CGalleryView::OnDraw(CDC* pDC) {
    const int cx = m_cxChar, cy = m_cyChar;
    DrawPenStyles(pDC, 2 * cx, cy);
    DrawPenWidths(pDC, 2 * cx, 15 * cy);
    DrawBrushStyles(pDC, 2 * cx, 27 * cy);
}

void CGalleryView::DrawPenStyles(CDC* pDC, int x, int y) {
    const int cx = m_cxChar, cy = m_cyChar;
    pDC->SetTextColor(kBlack);
    DrawLabel(pDC, x, y, "Pen Styles");
    const int nStep = (3 * cy) / 2;
    pDC->SetTextColor(kRed);
    for (const StyleName& style : kPenStyles) {
        y += nStep;
        DrawLabel(pDC, x + 2 * cx, y, style.szName);
        CPen pen(style.nStyle, 1, kRed);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(x + 22 * cx, y + cy / 2);
        pDC->LineTo(x + 46 * cx, y + cy / 2);
        pDC->SelectObject(pOldPen);
    }
}

void CGalleryView::DrawPenWidths(CDC* pDC, int x, int y) {
    const int cx = m_cxChar, cy = m_cyChar;
    pDC->SetTextColor(kBlack);
    DrawLabel(pDC, x, y, "Pen Widths");
    const int nStep = 2 * cy;
    pDC->SetTextColor(kBlue);
    for (int nWidth : kPenWidths) {
        char szLabel[32];
        std::snprintf(szLabel, sizeof szLabel, "%d Pixels", nWidth);
        y += nStep;
        DrawLabel(pDC, x + 2 * cx, y, szLabel);
        CPen pen(PS_SOLID, nWidth, kBlue);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(x + 22 * cx, y + cy / 2);
        pDC->LineTo(x + 46 * cx, y + cy / 2);
        pDC->SelectObject(pOldPen);
    }
}

void CGalleryView::DrawBrushStyles(CDC* pDC, int x, int y) {
    const int cx = m_cxChar, cy = m_cyChar;
    pDC->SetTextColor(kBlack);
    DrawLabel(pDC, x, y, "Brush Styles");
    const int nStep = 3 * cy;
    for (const StyleName& style : kHatchStyles) {
        y += nStep;
        DrawLabel(pDC, x + 2 * cx, y, style.szName);
        CRect rect(x + 22 * cx, y - cy, x + 46 * cx, y + cy);
        CBrush brush(style.nStyle, kGreen);
        // The pattern starts at the rectangle's corner whatever the scroll position.
        CPoint ptCorner = rect.TopLeft();
        pDC->LPtoDP(&ptCorner);
        const CPoint ptOrigin = HatchOrigin(ptCorner);
        ::SetBrushOrgEx(pDC->GetSafeHdc(), ptOrigin.x, ptOrigin.y, nullptr);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(rect);
        pDC->SelectObject(pOldBrush);
    }
    y += nStep;
    DrawLabel(pDC, x + 2 * cx, y, "Solid");
    CBrush brush(kGreen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(x + 22 * cx, y - cy, x + 46 * cx, y + cy);
    pDC->SelectObject(pOldBrush);
}
