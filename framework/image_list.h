// CImageList: owns an image list (HIMAGELIST) and destroys it with the object unless detached.
#pragma once

#include "cstring.h"
#include "object.h"

#include <windows.h>

#include <commctrl.h>

class CBitmap;
class CDC;

class CImageList : public CObject {
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    // The temporary object for a list no CImageList owns (see temporary_objects.h).
    static CImageList* FromHandle(HIMAGELIST hImageList);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // An empty list of cx x cy images (ILC_ flags).
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A list made from a bitmap resource: images cx wide and as high as the bitmap, pixels of
    // crMask transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    // Appends the images of a bitmap, with a monochrome mask or a transparent colour. Returns
    // the index of the first new image, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    BOOL Remove(int nImage);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
};
