#include "color_menu.h"

#include "paint_doc.h"
#include "tracery_commands.h"

void MakeColorItemsOwnerDrawn(CMenu* pMenu) {
    for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_WHITE; ++nID)
        pMenu->ModifyMenu(nID, MF_BYCOMMAND | MF_OWNERDRAW, nID, nullptr);
}

void MeasureColorItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    const int nMenuHeight = ::GetSystemMetrics(SM_CYMENU);
    lpMeasureItemStruct->itemWidth = UINT(nMenuHeight * 4);
    lpMeasureItemStruct->itemHeight = UINT(nMenuHeight);
}

void DrawColorItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CBitmap bitmap;
    bitmap.Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK)));
    BITMAP bm{};
    bitmap.GetBitmap(&bm);

    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);

    {
        CBrush frameBrush(::GetSysColor(
            (lpDrawItemStruct->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU));
        dc.FrameRect(&rcItem, &frameBrush);
    }

    if (lpDrawItemStruct->itemState & ODS_CHECKED) {
        CDC memDC;
        memDC.CreateCompatibleDC(&dc);
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        dc.BitBlt(rcItem.left + 4, rcItem.top + (rcItem.Height() - bm.bmHeight) / 2, bm.bmWidth,
                  bm.bmHeight, &memDC, 0, 0, SRCCOPY);
        memDC.SelectObject(pOldBitmap);
    }

    const UINT nIndex = lpDrawItemStruct->itemID - ID_COLOR_BLACK;
    if (nIndex < 8) {
        CRect rcSwatch(rcItem);
        rcSwatch.DeflateRect(6, 4);
        rcSwatch.left += bm.bmWidth;
        CBrush swatchBrush(g_crLineColors[nIndex]);
        dc.FillRect(&rcSwatch, &swatchBrush);
    }

    dc.Detach();
}
