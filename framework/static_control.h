// CStatic: a static text, frame or picture control of the system "Static" class.
#pragma once

#include "window.h"

class CStatic : public CWnd {
public:
    CStatic() = default;

    // The style names the kind of static control (SS_*); WS_CHILD is added.
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);

    // The picture of an SS_ICON or SS_BITMAP control; the previous one is returned.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};
