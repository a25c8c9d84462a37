#include "gray_scale.h"

namespace {

LOGPALETTE* AllocateLogPalette(WORD nEntries) {
    auto* pBytes = new BYTE[sizeof(WORD) * 2 + sizeof(PALETTEENTRY) * nEntries];
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(pBytes);
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = nEntries;
    return pLogPalette;
}

// The palette-relative colour of a gray level: the nearest entry of the palette selected in the
// device context that gets it.
COLORREF PaletteGray(BYTE gray) {
    return 0x02000000 + gray * 0x010101u;
}

} // namespace

BYTE GrayLevel(COLORREF crColor) {
    const UINT red = GetRValue(crColor);
    const UINT green = GetGValue(crColor);
    const UINT blue = GetBValue(crColor);
    return BYTE((30 * red + 59 * green + 11 * blue) / 100);
}

LOGPALETTE* CreateGrayScale() {
    constexpr WORD kLevels = 64;
    LOGPALETTE* pLogPalette = AllocateLogPalette(kLevels);
    for (WORD i = 0; i < kLevels; ++i) {
        const BYTE level = BYTE(4 * i);
        pLogPalette->palPalEntry[i] = PALETTEENTRY{level, level, level, 0};
    }
    return pLogPalette;
}

LOGPALETTE* CreateHalftone() {
    // Six levels of each component: 216 colours, every one a step of 51.
    constexpr WORD kSteps = 6;
    LOGPALETTE* pLogPalette = AllocateLogPalette(kSteps * kSteps * kSteps);
    WORD i = 0;
    for (WORD r = 0; r < kSteps; ++r)
        for (WORD g = 0; g < kSteps; ++g)
            for (WORD b = 0; b < kSteps; ++b)
                pLogPalette->palPalEntry[i++] =
                    PALETTEENTRY{BYTE(51 * r), BYTE(51 * g), BYTE(51 * b), 0};
    return pLogPalette;
}

void FreeLogPalette(LOGPALETTE* pLogPalette) {
    delete[] reinterpret_cast<BYTE*>(pLogPalette);
}

UINT ThreadFunc(LPVOID pParam) {
    const auto* pParams = static_cast<const ThreadParams*>(pParam);
    CWnd* pWnd = pParams->pWnd;
    CBitmap* pBitmap = pParams->pBitmap;
    CPalette* pPalette = pParams->pPalette;
    CCriticalSection* pCriticalSection = pParams->pCriticalSection;
    CEvent* pKillEvent = pParams->pKillEvent;
    const HWND hWnd = pWnd->GetSafeHwnd();

    BITMAP bm{};
    pBitmap->GetBitmap(&bm);
    const int nWidth = bm.bmWidth;
    const int nHeight = bm.bmHeight;

    CClientDC dcScreen(pWnd);
    CBitmap bitmapResult;
    CBitmap bitmapSource;
    bitmapResult.CreateCompatibleBitmap(&dcScreen, nWidth, nHeight);
    bitmapSource.CreateCompatibleBitmap(&dcScreen, nWidth, nHeight);
    CDC dcResult;
    CDC dcSource;
    dcResult.CreateCompatibleDC(&dcScreen);
    dcSource.CreateCompatibleDC(&dcScreen);
    CBitmap* pOldResultBitmap = dcResult.SelectObject(&bitmapResult);
    CBitmap* pOldSourceBitmap = dcSource.SelectObject(&bitmapSource);

    const bool bPalettes = pPalette->GetSafeHandle() != nullptr;
    CPalette paletteGray;
    CPalette* pOldResultPalette = nullptr;
    CPalette* pOldSourcePalette = nullptr;
    if (bPalettes) {
        LOGPALETTE* pLogPalette = CreateGrayScale();
        paletteGray.CreatePalette(pLogPalette);
        FreeLogPalette(pLogPalette);
        pOldResultPalette = dcResult.SelectPalette(&paletteGray, FALSE);
        pOldSourcePalette = dcSource.SelectPalette(pPalette, FALSE);
        dcResult.RealizePalette();
        dcSource.RealizePalette();
    }

    CDC dcDocument;
    dcDocument.CreateCompatibleDC(&dcScreen);
    pCriticalSection->Lock();
    CBitmap* pOldDocumentBitmap = dcDocument.SelectObject(pBitmap);
    dcSource.BitBlt(0, 0, nWidth, nHeight, &dcDocument, 0, 0, SRCCOPY);
    dcDocument.SelectObject(pOldDocumentBitmap);
    pCriticalSection->Unlock();

    auto restoreWorkContexts = [&] {
        dcResult.SelectObject(pOldResultBitmap);
        dcSource.SelectObject(pOldSourceBitmap);
        if (bPalettes) {
            dcResult.SelectPalette(pOldResultPalette, FALSE);
            dcSource.SelectPalette(pOldSourcePalette, FALSE);
        }
    };

    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x)
            dcResult.SetPixel(x, y, PaletteGray(GrayLevel(dcSource.GetPixel(x, y))));
        if (::WaitForSingleObject(pKillEvent->m_hObject, 0) == WAIT_OBJECT_0) {
            restoreWorkContexts();
            ::PostMessageA(hWnd, WM_USER_THREAD_ABORTED, WPARAM(y + 1), 0);
            return kConversionStopped;
        }
        ::PostMessageA(hWnd, WM_USER_THREAD_UPDATE, WPARAM(y + 1), LPARAM(nHeight));
    }

    CPalette* pOldDocumentPalette = nullptr;
    if (bPalettes) {
        pOldDocumentPalette = dcDocument.SelectPalette(&paletteGray, FALSE);
        dcDocument.RealizePalette();
    }
    pCriticalSection->Lock();
    pOldDocumentBitmap = dcDocument.SelectObject(pBitmap);
    // Pixels of an image with a colour table are indices: copying grays into it would only
    // pick the nearest of its original colours. Every pixel there shows a table entry, so
    // turning each entry into its gray converts exactly those pixels.
    RGBQUAD colors[256];
    const UINT nColors = ::GetDIBColorTable(dcDocument.GetSafeHdc(), 0, 256, colors);
    if (nColors > 0) {
        for (UINT i = 0; i < nColors; ++i) {
            const BYTE gray =
                GrayLevel(RGB(colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue));
            colors[i] = RGBQUAD{gray, gray, gray, 0};
        }
        ::SetDIBColorTable(dcDocument.GetSafeHdc(), 0, nColors, colors);
    } else {
        dcDocument.BitBlt(0, 0, nWidth, nHeight, &dcResult, 0, 0, SRCCOPY);
    }
    dcDocument.SelectObject(pOldDocumentBitmap);
    pCriticalSection->Unlock();

    restoreWorkContexts();
    if (bPalettes)
        dcDocument.SelectPalette(pOldDocumentPalette, FALSE);
    ::PostMessageA(hWnd, WM_USER_THREAD_FINISHED, 0, 0);
    return kConversionFinished;
}
