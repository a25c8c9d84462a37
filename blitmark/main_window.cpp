#include "main_window.h"

#include "resource.h"

#include <memory>

namespace {

constexpr int kGradientBrushes = 64;
constexpr int kTileGap = 8;

} // namespace

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_COMMAND(IDM_OPTIONS_DRAW_OPAQUE, OnOptionsDrawOpaque)
ON_COMMAND(IDM_OPTIONS_DRAW_TRANSPARENT, OnOptionsDrawTransparent)
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
ON_UPDATE_COMMAND_UI(IDM_OPTIONS_DRAW_OPAQUE, OnUpdateOptionsDrawOpaque)
ON_UPDATE_COMMAND_UI(IDM_OPTIONS_DRAW_TRANSPARENT, OnUpdateOptionsDrawTransparent)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Blitmark", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

int CMainWindow::GradientBrushIndex(int y, int height) {
    return y * (kGradientBrushes - 1) / height;
}

COLORREF CMainWindow::GradientColor(int i) {
    return PALETTERGB(0, 0, 255 - 4 * i);
}

int CMainWindow::TileCount(int clientExtent, int tileExtent) {
    return clientExtent / (tileExtent + kTileGap) + 1;
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_bitmap.LoadBitmap(IDB_BITMAP);

    CClientDC dc(this);
    if (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) {
        // LOGPALETTE holds one entry; the block is sized for all of them.
        const size_t nSize = sizeof(LOGPALETTE) + (kGradientBrushes - 1) * sizeof(PALETTEENTRY);
        auto block = std::make_unique<BYTE[]>(nSize);
        auto* pLP = reinterpret_cast<LOGPALETTE*>(block.get());
        pLP->palVersion = 0x300;
        pLP->palNumEntries = kGradientBrushes;
        for (int i = 0; i < kGradientBrushes; i++) {
            pLP->palPalEntry[i].peRed = 0;
            pLP->palPalEntry[i].peGreen = 0;
            pLP->palPalEntry[i].peBlue = static_cast<BYTE>(255 - 4 * i);
            pLP->palPalEntry[i].peFlags = 0;
        }
        m_palette.CreatePalette(pLP);
    }
    return 0;
}

BOOL CMainWindow::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);

    CPalette* pOldPalette = nullptr;
    if (m_palette.m_hObject != nullptr) {
        pOldPalette = pDC->SelectPalette(&m_palette, FALSE);
        pDC->RealizePalette();
    }
    DoGradientFill(pDC, &rect);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
    return TRUE;
}

void CMainWindow::DoGradientFill(CDC* pDC, LPCRECT lpRect) {
    CBrush* pBrush[kGradientBrushes];
    for (int i = 0; i < kGradientBrushes; i++)
        pBrush[i] = new CBrush(GradientColor(i));

    const int nWidth = lpRect->right - lpRect->left;
    const int nHeight = lpRect->bottom - lpRect->top;
    CRect rect;
    for (int i = 0; i < nHeight; i++) {
        rect.SetRect(0, i, nWidth, i + 1);
        pDC->FillRect(&rect, pBrush[GradientBrushIndex(i, nHeight)]);
    }

    for (int i = 0; i < kGradientBrushes; i++)
        delete pBrush[i];
}

void CMainWindow::OnPaint() {
    CRect rect;
    GetClientRect(&rect);
    CPaintDC dc(this);

    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight;
    const int nColumns = TileCount(rect.Width(), cx);
    const int nRows = TileCount(rect.Height(), cy);

    for (int i = 0; i < nColumns; i++) {
        for (int j = 0; j < nRows; j++) {
            const int x = (cx + kTileGap) * i + kTileGap;
            const int y = (cy + kTileGap) * j + kTileGap;
            if (m_bDrawOpaque)
                m_bitmap.Draw(&dc, x, y);
            else
                m_bitmap.DrawTransparent(&dc, x, y, RGB(255, 0, 0));
        }
    }
}

UINT CMainWindow::RealizeOwnPalette() {
    CClientDC dc(this);
    CPalette* pOldPalette = dc.SelectPalette(&m_palette, FALSE);
    const UINT nEntries = dc.RealizePalette();
    if (nEntries != 0)
        Invalidate();
    dc.SelectPalette(pOldPalette, FALSE);
    return nEntries;
}

BOOL CMainWindow::OnQueryNewPalette() {
    if (m_palette.m_hObject == nullptr)
        return FALSE;
    return static_cast<BOOL>(RealizeOwnPalette());
}

void CMainWindow::OnPaletteChanged(CWnd* pFocusWnd) {
    // The window that changed the system palette realizes nothing more, or the two messages
    // would chase each other.
    if (m_palette.m_hObject != nullptr && pFocusWnd != this)
        RealizeOwnPalette();
}

void CMainWindow::OnOptionsDrawOpaque() {
    m_bDrawOpaque = TRUE;
    Invalidate();
}

void CMainWindow::OnOptionsDrawTransparent() {
    m_bDrawOpaque = FALSE;
    Invalidate();
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

void CMainWindow::OnUpdateOptionsDrawOpaque(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bDrawOpaque ? 1 : 0);
}

void CMainWindow::OnUpdateOptionsDrawTransparent(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bDrawOpaque ? 0 : 1);
}
