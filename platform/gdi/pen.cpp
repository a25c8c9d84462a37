// Pens: CreatePen, CreatePenIndirect, ExtCreatePen.
#include "pen.h"

using namespace mullion;

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    UINT style = UINT(iStyle);
    if ((style & PS_STYLE_MASK) > PS_ALTERNATE)
        return nullptr;
    // Dashed and dotted styles exist only for one-pixel pens; wider ones draw solid.
    const UINT line_style = style & PS_STYLE_MASK;
    if (cWidth > 1 && line_style >= PS_DASH && line_style <= PS_DASHDOTDOT)
        style = (style & ~UINT(PS_STYLE_MASK)) | PS_SOLID;
    return static_cast<HPEN>(
        HandleTable::instance().insert(std::make_shared<Pen>(style, cWidth, color)));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen)
        return nullptr;
    return CreatePen(int(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN WINAPI ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD,
                         const DWORD*) {
    if (!plbrush)
        return nullptr;
    const COLORREF color = plbrush->lbStyle == BS_NULL ? 0 : plbrush->lbColor;
    const DWORD style = plbrush->lbStyle == BS_NULL ? PS_NULL : iPenStyle;
    return CreatePen(int(style & (PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK)), int(cWidth),
                     color);
}
