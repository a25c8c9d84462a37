// CLine: one straight segment of a drawing, with its pen width and colour.
#pragma once

#include <framework.h>

class CLine : public CObject {
    DECLARE_SERIAL(CLine)

public:
    // Used by the archive while loading; Serialize sets every member.
    CLine() = default;
    CLine(POINT ptFrom, POINT ptTo, UINT nWidth, COLORREF crColor);

    // The two points, the width and the colour, in that order.
    void Serialize(CArchive& ar) override;
    // Draws the segment with a solid pen of the line's width and colour, in whatever raster
    // operation, mapping and clipping the caller prepared.
    virtual void Draw(CDC* pDC);

    CPoint GetFrom() const { return m_ptFrom; }
    CPoint GetTo() const { return m_ptTo; }
    UINT GetWidth() const { return m_nWidth; }
    COLORREF GetColor() const { return m_crColor; }

protected:
    CPoint m_ptFrom;
    CPoint m_ptTo;
    UINT m_nWidth = 0;
    COLORREF m_crColor = 0;
};
