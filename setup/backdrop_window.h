// CBackdropWindow: the installer's main window. It covers the screen's work area behind every
// dialog and paints a blue gradient with the product's title in a shadowed italic font.
#pragma once

#include "framework.h"

class CBackdropWindow : public CWnd {
public:
    // Creates the window at once.
    CBackdropWindow();

    // The brush (0 to 255) that paints row y of a client area nHeight rows high: brush i is
    // RGB(0, 0, 255 - i).
    static int GradientBrushIndex(int y, int nHeight);

protected:
    afx_msg void OnPaint();
    // Closing while the copy runs cancels it; the copy's end then ends the program.
    afx_msg void OnClose();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    CFont m_titleFont;
    BOOL m_bTitleFont = FALSE;
};
