// CColorLayout: the controls shared by Widgetry4 and Widgetry5, a "Sample text" group with the
// message and a "Color" group with three radio buttons, placed in multiples and fractions of
// the 8-point interface font's character width and line height.
#pragma once

#include "framework.h"

#define IDC_RED 100
#define IDC_GREEN 101
#define IDC_BLUE 102

class CColorLayout {
public:
    // cxChar: the font's average character width; cyChar: its height plus external leading.
    CColorLayout(int cxChar, int cyChar);

    int m_cxChar;
    int m_cyChar;
    CRect m_rectSampleGroup;
    CRect m_rectSampleText;
    CRect m_rectColorGroup;
    CRect m_rectRed;
    CRect m_rectGreen;
    CRect m_rectBlue;

    // Creates the 8-point "MS Sans Serif" font for the window's screen and returns its layout.
    static CColorLayout CreateFontAndLayout(CWnd* pWnd, CFont& font);

    // Creates the six controls in tab and z-order, checks Red, and gives the font to the group
    // boxes and the radio buttons; the message keeps the system font.
    void CreateControls(CWnd* pParent, CFont& font, CButton& sampleGroup, CStatic& sampleText,
                        CButton& colorGroup, CButton& red, CButton& green, CButton& blue) const;
};
