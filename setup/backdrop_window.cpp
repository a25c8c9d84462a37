#include "backdrop_window.h"

#include "copy_tree.h"
#include "resource.h"
#include "setup_globals.h"

#include <vector>

BEGIN_MESSAGE_MAP(CBackdropWindow, CWnd)
ON_WM_PAINT()
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
constexpr int kGradientBrushes = 256;
constexpr int kTitleHeight = -28;
constexpr int kTitleShadowOffset = 4;
constexpr POINT kTitleOrigin = {46, 46};
} // namespace

CBackdropWindow::CBackdropWindow() {
    CWinApp* pApp = AfxGetApp();
    const LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, pApp->LoadStandardCursor(IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                                  pApp->LoadIcon(IDI_MAINFRAME));
    CreateEx(0, lpszClass, "Setup", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);

    m_bTitleFont = m_titleFont.CreateFont(kTitleHeight, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE,
                                          ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "ARIAL");

    // The window covers the work area, its caption at the top of the screen.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(m_hWnd, &placement);
    placement.rcNormalPosition = {0, 0, ::GetSystemMetrics(SM_CXFULLSCREEN),
                                  ::GetSystemMetrics(SM_CYFULLSCREEN) +
                                      ::GetSystemMetrics(SM_CYCAPTION)};
    ::SetWindowPlacement(m_hWnd, &placement);
}

int CBackdropWindow::GradientBrushIndex(int y, int nHeight) {
    return (255 * y) / nHeight;
}

void CBackdropWindow::OnPaint() {
    CPaintDC dc(this);
    std::vector<CBrush> brushes(kGradientBrushes);
    for (int i = 0; i < kGradientBrushes; ++i)
        brushes[i].CreateSolidBrush(RGB(0, 0, 255 - i));

    CRect rcClient;
    GetClientRect(&rcClient);
    for (int y = 0; y < rcClient.Height(); ++y) {
        const CRect rcRow(0, y, rcClient.Width(), y + 1);
        dc.FillRect(&rcRow, &brushes[GradientBrushIndex(y, rcClient.Height())]);
    }
    brushes.clear();

    if (!m_bTitleFont)
        return;
    CFont* pOldFont = dc.SelectObject(&m_titleFont);
    dc.SetBkMode(TRANSPARENT);
    const CString strTitle = TextEntry(3);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(kTitleOrigin.x + kTitleShadowOffset, kTitleOrigin.y + kTitleShadowOffset, strTitle);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.TextOut(kTitleOrigin.x, kTitleOrigin.y, strTitle);
    dc.SelectObject(pOldFont);
}

void CBackdropWindow::OnClose() {
    if (g_hwndProgress && ::IsWindow(g_hwndProgress)) {
        CancelCopy();
        return;
    }
    CWnd::OnClose();
}

void CBackdropWindow::PostNcDestroy() {
    delete this;
}
