// The gray-scale conversion: the record handed to the worker thread, the worker procedure, the
// private messages it posts to the main window, and the palettes the program builds.
#pragma once

#include "framework.h"

// Sent by the view with the statistics text (lParam points to it) and waited for.
#define WM_USER_UPDATE_STATS (WM_USER + 0)
// Posted by the worker after each row: wParam rows finished, lParam rows in the image.
#define WM_USER_THREAD_UPDATE (WM_USER + 1)
// Posted by the worker once when the converted image is in the document.
#define WM_USER_THREAD_FINISHED (WM_USER + 2)
// Posted by the worker once when stopped: wParam rows finished.
#define WM_USER_THREAD_ABORTED (WM_USER + 3)

// What the worker may touch; the main thread fills it just before each start.
struct ThreadParams {
    CWnd* pWnd;
    CBitmap* pBitmap;
    CPalette* pPalette;
    CCriticalSection* pCriticalSection;
    CEvent* pKillEvent;
};

// Exit codes of ThreadFunc.
constexpr UINT kConversionFinished = 0;
constexpr UINT kConversionStopped = 0xFFFFFFFF;

// The gray level of a colour: (30 red + 59 green + 11 blue) / 100, truncated.
BYTE GrayLevel(COLORREF crColor);

// Converts the image of pParam (a ThreadParams*) to gray, reporting to its window.
UINT ThreadFunc(LPVOID pParam);

// A logical palette of 64 grays, entry i being 4 i in each component. The caller frees it
// with delete[] on the returned record's bytes (FreeLogPalette).
LOGPALETTE* CreateGrayScale();
// A logical palette spread evenly over the colour cube, for images without a colour table.
LOGPALETTE* CreateHalftone();
void FreeLogPalette(LOGPALETTE* pLogPalette);
