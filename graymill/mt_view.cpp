#include "mt_view.h"

#include "gray_scale.h"
#include "mt_doc.h"

IMPLEMENT_DYNCREATE(CMTView, CScrollView)

CMTDoc* CMTView::GetDocument() const {
    return static_cast<CMTDoc*>(m_pDocument);
}

void CMTView::OnInitialUpdate() {
    CScrollView::OnInitialUpdate();
    CSize sizeTotal(0, 0);
    CString strStats;
    if (CBitmap* pBitmap = GetDocument()->GetBitmap()) {
        BITMAP bm{};
        pBitmap->GetBitmap(&bm);
        sizeTotal = CSize(bm.bmWidth, bm.bmHeight);
        strStats.Format("%d x %d, %d bpp", bm.bmWidth, bm.bmHeight, int(bm.bmBitsPixel));
    }
    // The main window is not yet known while the first frame opens a file that fails.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!pMainWnd)
        pMainWnd = GetParentFrame();
    if (pMainWnd)
        pMainWnd->SendMessage(WM_USER_UPDATE_STATS, 0, reinterpret_cast<LPARAM>(LPCTSTR(strStats)));
    SetScrollSizes(MM_TEXT, sizeTotal);
}

void CMTView::OnDraw(CDC* pDC) {
    CMTDoc* pDoc = GetDocument();
    CBitmap* pBitmap = pDoc->GetBitmap();
    if (!pBitmap)
        return;
    CPalette* pOldPalette = nullptr;
    CPalette* pPalette = pDoc->GetPalette();
    if (pPalette) {
        pOldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
    BITMAP bm{};
    pBitmap->GetBitmap(&bm);

    CDC dcMemory;
    dcMemory.CreateCompatibleDC(pDC);
    CCriticalSection* pCriticalSection = pDoc->GetCriticalSection();
    pCriticalSection->Lock();
    CBitmap* pOldBitmap = dcMemory.SelectObject(pBitmap);
    pDC->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(pOldBitmap);
    pCriticalSection->Unlock();

    if (pPalette)
        pDC->SelectPalette(pOldPalette, FALSE);
}
