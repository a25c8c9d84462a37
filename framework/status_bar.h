// CStatusBar: the bar along the bottom of a frame, divided into panes. A pane shows a text;
// an indicator pane (a command identifier in SetIndicators) takes its text and width from the
// string resource of that identifier, a separator pane (ID_SEPARATOR) is set by the program.
// The first pane, when it is a separator, stretches over the room the others leave and shows
// the frame's messages ("Ready", menu prompts). The bar's window text is its first pane's.
#pragma once

#include "window.h"

#include <vector>

#define ID_SEPARATOR 0

// Control bar styles (the low word of the bar's window style).
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

#define AFX_IDW_STATUS_BAR 0xE801

class CStatusBar : public CWnd {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the pane with this identifier, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // cxWidth is the width of the pane's text area in pixels.
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    // The bar's height for its font.
    int GetBarHeight() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

protected:
    struct Pane {
        UINT nID = ID_SEPARATOR;
        UINT nStyle = SBPS_NORMAL;
        int cxText = 0;
        CString strText;
    };

    // The pane rectangles for the bar's client width.
    std::vector<CRect> LayoutPanes() const;
    int TextWidth(LPCTSTR lpszText) const;

    std::vector<Pane> m_panes;
    HFONT m_hFont = nullptr;
    HFONT m_hOwnFont = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The text of a message prompt: the string resource's part before its first "\n".
CString AfxLoadPrompt(UINT nID);
