// The banner of the Panelry programs: a background fill over the client area and one line of
// white text centred on it. These painters are shared by every banner window.
#pragma once

#include "framework.h"

// Fill colour indexes and their table.
enum BannerColor { BANNER_RED, BANNER_GREEN, BANNER_BLUE, BANNER_MAGENTA, BANNER_CYAN };
extern const COLORREF g_crBannerColors[5];

// Number of shades of the gradient.
const int BANNER_GRADIENT_STEPS = 64;

// The colour of gradient brush k (0..63): intensity 255 - 4k in the channels of the fill
// colour nFillColor.
COLORREF BannerGradientColor(int nFillColor, int k);
// The gradient brush of row y of a client area nHeight rows high: (y * 63) / nHeight.
int BannerGradientIndex(int y, int nHeight);
// The font height that asks for a character height of nPoints points on a device with
// nLogPixelsY pixels per logical inch.
int BannerFontHeight(int nLogPixelsY, int nPoints);

// Fills rect with the colour nFillColor.
void PaintSolidFill(CDC* pDC, const CRect& rect, int nFillColor);
// Fills rect with the 64-shade vertical gradient of nFillColor, one rectangle per row.
void PaintGradientFill(CDC* pDC, const CRect& rect, int nFillColor);
// Draws strText on one line, centred in rect, white and transparent, in "Times New Roman".
void PaintBannerText(CDC* pDC, const CRect& rect, const CString& strText, int nTextHeight,
                     BOOL bBold, BOOL bItalic);
