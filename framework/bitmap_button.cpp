#include "bitmap_button.h"

#include "cstring.h"
#include "dc.h"
#include "win_app.h"

namespace {

// Replaces the bitmap with the named resource; a null name just empties it.
BOOL load_face(CBitmap& bitmap, LPCTSTR name) {
    bitmap.DeleteObject();
    return !name || bitmap.LoadBitmap(name);
}

} // namespace

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus,
                                LPCTSTR lpszBitmapResourceDisabled) {
    BOOL loaded = lpszBitmapResource != nullptr;
    loaded &= load_face(m_bitmap, lpszBitmapResource);
    loaded &= load_face(m_bitmapSel, lpszBitmapResourceSel);
    loaded &= load_face(m_bitmapFocus, lpszBitmapResourceFocus);
    loaded &= load_face(m_bitmapDisabled, lpszBitmapResourceDisabled);
    return loaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel,
                                UINT nIDBitmapResourceFocus, UINT nIDBitmapResourceDisabled) {
    const auto name = [](UINT id) { return id ? MAKEINTRESOURCEA(id) : nullptr; };
    return LoadBitmaps(name(nIDBitmapResource), name(nIDBitmapResourceSel),
                       name(nIDBitmapResourceFocus), name(nIDBitmapResourceDisabled));
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent) {
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        return FALSE;
    // The focused and disabled faces are optional.
    if (!LoadBitmaps(caption + "U", caption + "D"))
        return FALSE;
    CBitmap focus;
    if (focus.LoadBitmap(caption + "F"))
        m_bitmapFocus.Attach(focus.Detach());
    CBitmap disabled;
    if (disabled.LoadBitmap(caption + "X"))
        m_bitmapDisabled.Attach(disabled.Detach());
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent() {
    BITMAP description{};
    if (!m_hWnd || !m_bitmap.m_hObject || !m_bitmap.GetBitmap(&description))
        return;
    SetWindowPos(nullptr, 0, 0, description.bmWidth, description.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CBitmapButton::Face CBitmapButton::ChooseFace(UINT nItemState, BOOL bHasDown, BOOL bHasFocus,
                                              BOOL bHasDisabled) {
    if ((nItemState & ODS_SELECTED) && bHasDown)
        return faceDown;
    if ((nItemState & ODS_FOCUS) && bHasFocus)
        return faceFocus;
    if ((nItemState & ODS_DISABLED) && bHasDisabled)
        return faceDisabled;
    return faceUp;
}

CBitmap& CBitmapButton::FaceBitmap(Face face) {
    switch (face) {
    case faceDown:
        return m_bitmapSel;
    case faceFocus:
        return m_bitmapFocus;
    case faceDisabled:
        return m_bitmapDisabled;
    case faceUp:
        break;
    }
    return m_bitmap;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const Face face =
        ChooseFace(lpDrawItemStruct->itemState, m_bitmapSel.m_hObject != nullptr,
                   m_bitmapFocus.m_hObject != nullptr, m_bitmapDisabled.m_hObject != nullptr);
    CBitmap& bitmap = FaceBitmap(face);
    if (!bitmap.m_hObject)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* previous = memory.SelectObject(&bitmap);
    const RECT& item = lpDrawItemStruct->rcItem;
    pDC->BitBlt(item.left, item.top, item.right - item.left, item.bottom - item.top, &memory, 0, 0,
                SRCCOPY);
    memory.SelectObject(previous);
}
