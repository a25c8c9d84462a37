// CMainWindow of Blitmark: tiles bitmap 201 over a blue gradient, opaquely or with red
// transparent, and keeps a 64-entry palette of blues on palette displays.
#pragma once

#include "framework.h"
#include "masked_bitmap.h"

class CMainWindow : public CFrameWnd {
public:
    CMainWindow();

    // The gradient: row y of a client area `height` rows high uses brush y * 63 / height.
    static int GradientBrushIndex(int y, int height);
    // The palette-relative colour of gradient brush i.
    static COLORREF GradientColor(int i);
    // How many tiles of w x h pixels, 8 pixels apart, cover a client extent.
    static int TileCount(int clientExtent, int tileExtent);

protected:
    BOOL m_bDrawOpaque = TRUE;
    CPalette m_palette;
    CMaskedBitmap m_bitmap;

    void DoGradientFill(CDC* pDC, LPCRECT lpRect);
    // Selects and realizes the palette in a client-area context; repaints everything when
    // entries were remapped, and returns how many were.
    UINT RealizeOwnPalette();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnOptionsDrawOpaque();
    afx_msg void OnOptionsDrawTransparent();
    afx_msg void OnOptionsExit();
    afx_msg void OnUpdateOptionsDrawOpaque(CCmdUI* pCmdUI);
    afx_msg void OnUpdateOptionsDrawTransparent(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
