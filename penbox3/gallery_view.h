// CGalleryView: the catalogue of pen styles, pen widths and hatch brushes, one section under
// the other, in a vertically scrolling view. Every position is a multiple of the system font's
// character size.
#pragma once

#include "framework.h"

class CGalleryView : public CScrollView {
public:
    CGalleryView() = default;

    // The catalogue is 50 character heights tall.
    static constexpr int kTotalLines = 50;

    // The brush origin that makes an 8 x 8 pattern start at a device point: each coordinate
    // modulo 8, with the sign of the coordinate.
    static CPoint HatchOrigin(POINT ptDevice);

protected:
    void OnDraw(CDC* pDC) override;

    void DrawPenStyles(CDC* pDC, int x, int y);
    void DrawPenWidths(CDC* pDC, int x, int y);
    void DrawBrushStyles(CDC* pDC, int x, int y);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    int m_cxChar = 0;
    int m_cyChar = 0;

    DECLARE_MESSAGE_MAP()
};
