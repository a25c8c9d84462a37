#include "gdi_object.h"

#include "dc.h"
#include "temporary_objects.h"
#include "win_app.h"

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    if (!hObject)
        return nullptr;
    return framework::TemporaryObject<CGdiObject, &CGdiObject::m_hObject>(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    const HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
    return Attach(::GetStockObject(nIndex));
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    CreatePen(nPenStyle, nWidth, crColor);
}

CPen* CPen::FromHandle(HPEN hPen) {
    if (!hPen)
        return nullptr;
    return framework::TemporaryObject<CPen, &CPen::m_hObject>(static_cast<HGDIOBJ>(hPen));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
    return Attach(::CreatePenIndirect(lpLogPen));
}

CBrush::CBrush(COLORREF crColor) {
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap) {
    CreatePatternBrush(pBitmap);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    if (!hBrush)
        return nullptr;
    return framework::TemporaryObject<CBrush, &CBrush::m_hObject>(static_cast<HGDIOBJ>(hBrush));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}

CFont* CFont::FromHandle(HFONT hFont) {
    if (!hFont)
        return nullptr;
    return framework::TemporaryObject<CFont, &CFont::m_hObject>(static_cast<HGDIOBJ>(hFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCSTR lpszFacename) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
    const HDC screen = pDC ? nullptr : ::GetDC(nullptr);
    const int pixels_per_inch = ::GetDeviceCaps(pDC ? pDC->m_hDC : screen, LOGPIXELSY);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    LOGFONT logFont{};
    logFont.lfHeight = -((pixels_per_inch * nPointSize) / 720);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const {
    return GetObject(static_cast<int>(sizeof(LOGFONT)), pLogFont);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    if (!hBitmap)
        return nullptr;
    return framework::TemporaryObject<CBitmap, &CBitmap::m_hObject>(static_cast<HGDIOBJ>(hBitmap));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const {
    return GetObject(static_cast<int>(sizeof(BITMAP)), pBitMap);
}

CPalette* CPalette::FromHandle(HPALETTE hPalette) {
    if (!hPalette)
        return nullptr;
    return framework::TemporaryObject<CPalette, &CPalette::m_hObject>(
        static_cast<HGDIOBJ>(hPalette));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) {
    return Attach(::CreatePalette(lpLogPalette));
}

// A palette's object data is its entry count.
int CPalette::GetEntryCount() {
    WORD nEntries = 0;
    GetObject(static_cast<int>(sizeof(WORD)), &nEntries);
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const {
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries,
                               lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}

CRgn* CRgn::FromHandle(HRGN hRgn) {
    if (!hRgn)
        return nullptr;
    return framework::TemporaryObject<CRgn, &CRgn::m_hObject>(static_cast<HGDIOBJ>(hRgn));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
    return Attach(::CreateRectRgnIndirect(lpRect));
}
