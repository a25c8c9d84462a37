#include "main_window.h"

#include "resource.h"

#include <memory>

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Idlewatch", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CMainWindow::OnPaint() {
    CPaintDC dc(this);
    DrawCoordinates(&dc);
}

// The position is read again when drawing, so the message's own point is not needed.
void CMainWindow::OnMouseMove(UINT, CPoint) {
    DrawCoordinates(nullptr);
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

BOOL CMainWindow::IsCursorInWindow() {
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);

    CPoint point;
    ::GetCursorPos(&point);
    if (!rect.PtInRect(point))
        return FALSE;
    return WindowFromPoint(point) == this;
}

CRect CMainWindow::CoordinateBox(int nWidth, int nHeight, int cxChar, int cyChar) {
    CRect box;
    box.left = (nWidth - 16 * cxChar) / 2;
    box.right = box.left + 16 * cxChar;
    box.top = (nHeight - 2 * cyChar) / 2;
    box.bottom = box.top + 2 * cyChar;
    return box;
}

void CMainWindow::DrawCoordinates(CDC* pDC) {
    std::unique_ptr<CClientDC> clientDC;
    if (!pDC) {
        clientDC = std::make_unique<CClientDC>(this);
        pDC = clientDC.get();
    }

    CRect rect;
    GetClientRect(&rect);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    CRect box = CoordinateBox(rect.Width(), rect.Height(), tm.tmAveCharWidth, tm.tmHeight);

    // The current pen and brush: a black outline filled with white, erasing the old text.
    pDC->Rectangle(box);

    if (IsCursorInWindow()) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CString string;
        string.Format("%d, %d", point.x, point.y);
        pDC->DrawText(string, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
