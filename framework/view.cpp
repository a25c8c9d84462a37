#include "view.h"

#include "dc.h"
#include "message_thunks.h"
#include "win_app.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(
            CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    return TRUE;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::PostNcDestroy() {
    delete this;
}
