// CMaskedBitmap: a bitmap that draws itself opaquely or with one colour left out. The
// transparent drawing is composed off-screen from ordinary block transfers and a monochrome
// mask, so the tile reaches the destination in a single transfer.
#pragma once

#include "framework.h"

class CMaskedBitmap : public CBitmap {
public:
    virtual void Draw(CDC* pDC, int x, int y);
    virtual void DrawTransparent(CDC* pDC, int x, int y, COLORREF clrTransparency);

private:
    // The bitmap's extent and the off-screen origin, in pDC's logical units.
    void GetLogicalExtent(CDC* pDC, POINT& size, POINT& org) const;
};
