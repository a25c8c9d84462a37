#include "paint_view.h"

#include "color_menu.h"

IMPLEMENT_DYNCREATE(CPaintView, CScrollView)

UINT CPaintView::s_nIDContextMenu = 0;

BEGIN_MESSAGE_MAP(CPaintView, CScrollView)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CPaintView::OnInitialUpdate() {
    SetScrollSizes(MM_TEXT, CSize(2048, 2048));
    CScrollView::OnInitialUpdate();
}

void CPaintView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
    if (!pHint || !pHint->IsKindOf(RUNTIME_CLASS(CLine))) {
        CScrollView::OnUpdate(pSender, lHint, pHint);
        return;
    }
    CClientDC dc(this);
    OnPrepareDC(&dc);
    static_cast<CLine*>(pHint)->Draw(&dc);
}

void CPaintView::OnDraw(CDC* pDC) {
    const CPaintDoc* pDoc = GetDocument();
    for (int i = 0; i < pDoc->GetLineCount(); ++i)
        pDoc->GetLine(i)->Draw(pDC);
}

void CPaintView::InvertLine(CDC* pDC, POINT ptFrom, POINT ptTo) {
    const int nOldMode = pDC->SetROP2(R2_NOT);
    pDC->MoveTo(ptFrom);
    pDC->LineTo(ptTo);
    pDC->SetROP2(nOldMode);
}

CPoint CPaintView::ToLogical(CPoint point) {
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&point);
    return point;
}

void CPaintView::OnLButtonDown(UINT, CPoint point) {
    m_ptFrom = m_ptTo = ToLogical(point);
    SetCapture();
}

void CPaintView::OnMouseMove(UINT, CPoint point) {
    if (!HasCapture())
        return;
    const CPoint ptLogical = ToLogical(point);
    CClientDC dc(this);
    OnPrepareDC(&dc);
    InvertLine(&dc, m_ptFrom, m_ptTo);
    InvertLine(&dc, m_ptFrom, ptLogical);
    m_ptTo = ptLogical;
}

void CPaintView::OnLButtonUp(UINT, CPoint point) {
    if (!HasCapture())
        return;
    ::ReleaseCapture();
    const CPoint ptLogical = ToLogical(point);
    CClientDC dc(this);
    OnPrepareDC(&dc);
    InvertLine(&dc, m_ptFrom, m_ptTo);
    // The line ends where the button was released, which may differ from the last move.
    CLine* pLine = GetDocument()->AddLine(m_ptFrom, ptLogical);
    if (!pLine)
        return;
    pLine->Draw(&dc);
    GetDocument()->UpdateAllViews(this, 0, pLine);
}

void CPaintView::OnContextMenu(CWnd*, CPoint point) {
    CMenu menu;
    if (!menu.LoadMenu(s_nIDContextMenu))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    MakeColorItemsOwnerDrawn(pPopup);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}
