#include "masked_bitmap.h"

// Destination AND NOT source: clears the destination wherever the source is white.
constexpr DWORD ROP_DST_AND_NOT_SRC = 0x00220326;

void CMaskedBitmap::GetLogicalExtent(CDC* pDC, POINT& size, POINT& org) const {
    BITMAP bm;
    GetBitmap(&bm);
    size = POINT{bm.bmWidth, bm.bmHeight};
    pDC->DPtoLP(&size);
    org = POINT{0, 0};
    pDC->DPtoLP(&org);
}

void CMaskedBitmap::Draw(CDC* pDC, int x, int y) {
    POINT size, org;
    GetLogicalExtent(pDC, size, org);

    CDC dcMemory;
    dcMemory.CreateCompatibleDC(pDC);
    CBitmap* pOldBitmap = dcMemory.SelectObject(this);
    dcMemory.SetMapMode(pDC->GetMapMode());

    pDC->BitBlt(x, y, size.x, size.y, &dcMemory, org.x, org.y, SRCCOPY);

    dcMemory.SelectObject(pOldBitmap);
}

void CMaskedBitmap::DrawTransparent(CDC* pDC, int x, int y, COLORREF clrTransparency) {
    BITMAP bm;
    GetBitmap(&bm);
    POINT size, org;
    GetLogicalExtent(pDC, size, org);

    // The image itself.
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOldImageBitmap = dcImage.SelectObject(this);
    dcImage.SetMapMode(pDC->GetMapMode());

    // The mask: white where the image has the transparent colour, black elsewhere.
    CDC dcMask;
    dcMask.CreateCompatibleDC(pDC);
    dcMask.SetMapMode(pDC->GetMapMode());
    CBitmap bitmapMask;
    bitmapMask.CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
    CBitmap* pOldMaskBitmap = dcMask.SelectObject(&bitmapMask);
    dcImage.SetBkColor(clrTransparency);
    dcMask.BitBlt(org.x, org.y, size.x, size.y, &dcImage, org.x, org.y, SRCCOPY);

    // The sprite: the image with its transparent pixels turned black. The mask expands with
    // the context's default colours, black text and white background.
    CDC dcSprite;
    dcSprite.CreateCompatibleDC(pDC);
    dcSprite.SetMapMode(pDC->GetMapMode());
    CBitmap bitmapSprite;
    bitmapSprite.CreateCompatibleBitmap(&dcImage, bm.bmWidth, bm.bmHeight);
    CBitmap* pOldSpriteBitmap = dcSprite.SelectObject(&bitmapSprite);
    dcSprite.BitBlt(org.x, org.y, size.x, size.y, &dcImage, org.x, org.y, SRCCOPY);
    dcSprite.BitBlt(org.x, org.y, size.x, size.y, &dcMask, org.x, org.y, ROP_DST_AND_NOT_SRC);

    // The work area: the destination under the tile, holes cut where the image is opaque, the
    // sprite XORed into the holes.
    CDC dcWork;
    dcWork.CreateCompatibleDC(pDC);
    dcWork.SetMapMode(pDC->GetMapMode());
    CBitmap bitmapWork;
    bitmapWork.CreateCompatibleBitmap(&dcImage, bm.bmWidth, bm.bmHeight);
    CBitmap* pOldWorkBitmap = dcWork.SelectObject(&bitmapWork);
    dcWork.BitBlt(org.x, org.y, size.x, size.y, pDC, x, y, SRCCOPY);
    dcWork.BitBlt(org.x, org.y, size.x, size.y, &dcMask, org.x, org.y, SRCAND);
    dcWork.BitBlt(org.x, org.y, size.x, size.y, &dcSprite, org.x, org.y, SRCINVERT);

    // The only transfer to the destination.
    pDC->BitBlt(x, y, size.x, size.y, &dcWork, org.x, org.y, SRCCOPY);

    dcWork.SelectObject(pOldWorkBitmap);
    dcSprite.SelectObject(pOldSpriteBitmap);
    dcMask.SelectObject(pOldMaskBitmap);
    dcImage.SelectObject(pOldImageBitmap);
}
