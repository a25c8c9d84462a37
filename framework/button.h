// CButton: a push button, check box, radio button or group box of the system "Button" class.
#pragma once

#include "window.h"

class CButton : public CWnd {
public:
    CButton() = default;

    // The style names the kind of button (BS_*); WS_CHILD is added.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetState() const;
    void SetState(BOOL bHighlight);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

    // The picture of a BS_BITMAP or BS_ICON button; the previous one is returned.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;

    // Draws a BS_OWNERDRAW button; the parent's WM_DRAWITEM for the button arrives here.
    // Owner-drawn button classes override it; the base class draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
