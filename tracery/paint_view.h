// CPaintView: the scrolling view the user draws lines in. A left-button drag shows a one-pixel
// inverted rubber band and adds a line to the document on release; the right button opens the
// width and colour context menu.
#pragma once

#include "paint_doc.h"

#include <framework.h>

class CPaintView : public CScrollView {
    DECLARE_DYNCREATE(CPaintView)

public:
    // The menu resource whose first popup is the context menu; each program sets its own.
    static UINT s_nIDContextMenu;

    CPaintDoc* GetDocument() const { return static_cast<CPaintDoc*>(m_pDocument); }

    // A 2048 x 2048 pixel drawing with the default page and line scroll amounts.
    void OnInitialUpdate() override;
    // A line as hint is drawn at once; anything else repaints the whole view.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;

protected:
    // Draws the segment with the device context's pen in R2_NOT, so drawing it twice restores
    // the screen.
    void InvertLine(CDC* pDC, POINT ptFrom, POINT ptTo);
    // A client-area point in the drawing's logical coordinates at the current scroll position.
    CPoint ToLogical(CPoint point);
    bool HasCapture() const { return ::GetCapture() == m_hWnd; }

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

    CPoint m_ptFrom;
    CPoint m_ptTo;

    DECLARE_MESSAGE_MAP()
};
