// CScrollView: a view larger than its window. The scroll bars appear only when the total size
// does not fit; OnPrepareDC shifts the viewport origin by the scroll position so that OnDraw
// draws in the logical coordinates of the whole view.
#pragma once

#include "view.h"

class CScrollView : public CView {
public:
    // Asks SetScrollSizes for its default page and line sizes.
    static const SIZE sizeDefault;

    CScrollView() = default;

    // A zero page size means a tenth of the total size; a zero line size a tenth of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);

    // The scroll position in logical units, and in device units (pixels).
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }
    // The device sizes the bars scroll by.
    CSize GetPageSize() const { return m_pageDev; }
    CSize GetLineSize() const { return m_lineDev; }

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    // Scrolls by a scroll bar code of the bar (SB_HORZ or SB_VERT); nPos is the thumb's
    // position for the thumb codes. Returns whether anything moved.
    virtual BOOL OnScroll(int nBar, UINT nSBCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Scrolls by a device distance, clamped to the scrollable range.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

protected:
    // Shows the bars the total size needs for the window's size and sets their ranges, pages
    // and positions; the picture moves when the position had to change.
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    // A size in the mapping mode's logical units converted to pixels (positive).
    CSize ToDevice(SIZE sizeLogical) const;

    int m_nMapMode = MM_TEXT;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;

    DECLARE_MESSAGE_MAP()
};
