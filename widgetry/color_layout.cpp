#include "color_layout.h"

CColorLayout::CColorLayout(int cxChar, int cyChar)
    : m_cxChar(cxChar), m_cyChar(cyChar),
      m_rectSampleGroup(cxChar * 2, cyChar, cxChar * 62, cyChar * 8),
      m_rectSampleText(cxChar * 4, cyChar * 4, cxChar * 60, cyChar * 6),
      m_rectColorGroup(cxChar * 64, cyChar, cxChar * 80, cyChar * 8),
      m_rectRed(cxChar * 66, cyChar * 3, cxChar * 78, cyChar * 4),
      m_rectGreen(cxChar * 66, (cyChar * 9) / 2, cxChar * 78, (cyChar * 11) / 2),
      m_rectBlue(cxChar * 66, cyChar * 6, cxChar * 78, cyChar * 7) {}

CColorLayout CColorLayout::CreateFontAndLayout(CWnd* pWnd, CFont& font) {
    CClientDC dc(pWnd);
    const int height = -((dc.GetDeviceCaps(LOGPIXELSY) * 8) / 72);
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                    "MS Sans Serif");
    CFont* previous = dc.SelectObject(&font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(previous);
    return CColorLayout(metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading);
}

void CColorLayout::CreateControls(CWnd* pParent, CFont& font, CButton& sampleGroup,
                                  CStatic& sampleText, CButton& colorGroup, CButton& red,
                                  CButton& green, CButton& blue) const {
    sampleGroup.Create("Sample text", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, m_rectSampleGroup,
                       pParent, static_cast<UINT>(-1));
    sampleText.Create("Click a button to change my color", WS_CHILD | WS_VISIBLE | SS_CENTER,
                      m_rectSampleText, pParent, 0xFFFF);
    colorGroup.Create("Color", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, m_rectColorGroup, pParent,
                      static_cast<UINT>(-1));
    red.Create("Red", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, m_rectRed, pParent,
               IDC_RED);
    green.Create("Green", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, m_rectGreen, pParent,
                 IDC_GREEN);
    blue.Create("Blue", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, m_rectBlue, pParent, IDC_BLUE);
    red.SetCheck(BST_CHECKED);
    for (CWnd* control :
         {static_cast<CWnd*>(&sampleGroup), static_cast<CWnd*>(&colorGroup),
          static_cast<CWnd*>(&red), static_cast<CWnd*>(&green), static_cast<CWnd*>(&blue)})
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), FALSE);
}
