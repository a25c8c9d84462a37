// CBitmapButton: an owner-drawn push button that shows one of up to four bitmaps: up (U),
// down while pressed (D), focused (F) and disabled (X).
#pragma once

#include "button.h"
#include "gdi_object.h"

class CBitmapButton : public CButton {
public:
    enum Face { faceUp, faceDown, faceFocus, faceDisabled };

    CBitmapButton() = default;

    // Loads the faces from bitmap resources; a null name (or 0) leaves that face out. The up
    // face is required. Returns FALSE when a named bitmap does not load.
    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = nullptr,
                     LPCTSTR lpszBitmapResourceFocus = nullptr,
                     LPCTSTR lpszBitmapResourceDisabled = nullptr);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0,
                     UINT nIDBitmapResourceFocus = 0, UINT nIDBitmapResourceDisabled = 0);
    // Takes over the dialog item nID of pParent (an owner-drawn button), loads the bitmaps
    // named after its caption with the suffixes "U", "D", "F" and "X", and sizes the button to
    // them. The up and down faces are required.
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    // Resizes the button to the size of its up face.
    void SizeToContent();

    // The face shown for an owner-draw state (ODS_*): selected, then focused, then disabled
    // each choose their face when it was loaded; otherwise the up face.
    static Face ChooseFace(UINT nItemState, BOOL bHasDown, BOOL bHasFocus, BOOL bHasDisabled);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CBitmap m_bitmap;         // up
    CBitmap m_bitmapSel;      // down
    CBitmap m_bitmapFocus;    // focused
    CBitmap m_bitmapDisabled; // disabled

private:
    CBitmap& FaceBitmap(Face face);
};
