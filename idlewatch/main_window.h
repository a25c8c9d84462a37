// CMainWindow of Idlewatch: a box in the middle of the client area that shows the cursor's
// client coordinates while the cursor is over the window.
#pragma once

#include "framework.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

    // TRUE when the cursor is inside the client area and this window is the window there.
    BOOL IsCursorInWindow();
    // Draws the box and, when the cursor is inside, the coordinates; with no device context it
    // uses one of its own for the client area.
    void DrawCoordinates(CDC* pDC);

    // The box: 16 average characters wide and two lines high, centred in a client area of
    // nWidth x nHeight.
    static CRect CoordinateBox(int nWidth, int nHeight, int cxChar, int cyChar);

protected:
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnOptionsExit();

    DECLARE_MESSAGE_MAP()
};
