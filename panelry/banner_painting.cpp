#include "banner_painting.h"

#include <memory>

const COLORREF g_crBannerColors[5] = {
    RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255),
};

COLORREF BannerGradientColor(int nFillColor, int k) {
    const BYTE v = static_cast<BYTE>(255 - 4 * k);
    switch (nFillColor) {
    case BANNER_RED:
        return RGB(v, 0, 0);
    case BANNER_GREEN:
        return RGB(0, v, 0);
    case BANNER_MAGENTA:
        return RGB(v, 0, v);
    case BANNER_CYAN:
        return RGB(0, v, v);
    default:
        return RGB(0, 0, v);
    }
}

int BannerGradientIndex(int y, int nHeight) {
    return (y * (BANNER_GRADIENT_STEPS - 1)) / nHeight;
}

int BannerFontHeight(int nLogPixelsY, int nPoints) {
    return -((nLogPixelsY * nPoints) / 72);
}

void PaintSolidFill(CDC* pDC, const CRect& rect, int nFillColor) {
    CBrush brush(g_crBannerColors[nFillColor]);
    pDC->FillRect(rect, &brush);
}

void PaintGradientFill(CDC* pDC, const CRect& rect, int nFillColor) {
    // Every erase creates its brushes anew and releases them before returning.
    std::unique_ptr<CBrush> brushes[BANNER_GRADIENT_STEPS];
    for (int k = 0; k < BANNER_GRADIENT_STEPS; k++)
        brushes[k] = std::make_unique<CBrush>(BannerGradientColor(nFillColor, k));

    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    for (int y = 0; y < nHeight; y++) {
        const CRect row(0, y, nWidth, y + 1);
        pDC->FillRect(row, brushes[BannerGradientIndex(y, nHeight)].get());
    }
}

void PaintBannerText(CDC* pDC, const CRect& rect, const CString& strText, int nTextHeight,
                     BOOL bBold, BOOL bItalic) {
    CFont font;
    font.CreateFont(BannerFontHeight(pDC->GetDeviceCaps(LOGPIXELSY), nTextHeight), 0, 0, 0,
                    bBold ? FW_BOLD : FW_NORMAL, static_cast<BYTE>(bItalic ? TRUE : FALSE), 0, 0,
                    DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(255, 255, 255));
    CFont* pOldFont = pDC->SelectObject(&font);
    CRect textRect(rect);
    pDC->DrawText(strText, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}
