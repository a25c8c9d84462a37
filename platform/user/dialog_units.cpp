// Dialog base units: GetDialogBaseUnits (the system font's) and MapDialogRect (a dialog's own,
// from its font). A horizontal dialog unit is a quarter of the average character width, a
// vertical one an eighth of the character height.
#include "dialog_manager.h"

namespace mullion {

SIZE font_base_units(HFONT font) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SIZE extent{0, 0};
    TEXTMETRICA metrics{};
    GetTextExtentPoint32A(dc, alphabet, 52, &extent);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    // The average width of the 52 letters, rounded to the nearest pixel.
    return SIZE{(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

} // namespace mullion

LONG WINAPI GetDialogBaseUnits(void) {
    static const SIZE units = mullion::font_base_units(nullptr);
    return MAKELONG(units.cx, units.cy);
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    auto info = mullion::dialog_info(hDlg);
    if (!info || !lpRect)
        return FALSE;
    const SIZE units = info->base_units;
    lpRect->left = MulDiv(lpRect->left, units.cx, 4);
    lpRect->right = MulDiv(lpRect->right, units.cx, 4);
    lpRect->top = MulDiv(lpRect->top, units.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, units.cy, 8);
    return TRUE;
}
