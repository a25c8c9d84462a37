#include "status_bar.h"

#include "command_ids.h"
#include "dc.h"
#include "message_thunks.h"
#include "win_app.h"

#include <algorithm>
#include <cstring>

namespace {

// Around the panes, between them, and inside a pane's border before its text.
const int kBarBorder = 2;
const int kPaneGap = 2;
const int kPaneMargin = 2;

} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_MESSAGE(WM_GETFONT, OnGetFont)
ON_MESSAGE(WM_SETFONT, OnSetFont)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CString AfxLoadPrompt(UINT nID) {
    CString text;
    if (!text.LoadString(nID))
        return text;
    const int end = text.Find('\n');
    return end < 0 ? text : text.Left(end);
}

CStatusBar::~CStatusBar() {
    if (m_hOwnFont)
        ::DeleteObject(m_hOwnFont);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    // The bar's font: the 8-point interface font.
    m_hOwnFont = ::CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    m_hFont = m_hOwnFont;
    const LPCTSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    CRect parentClient;
    pParentWnd->GetClientRect(&parentClient);
    const int height = GetBarHeight();
    if (!CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD | WS_CLIPSIBLINGS,
                  CRect(0, parentClient.bottom - height, parentClient.right, parentClient.bottom),
                  pParentWnd, nID))
        return FALSE;
    return TRUE;
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ previous = ::SelectObject(dc, m_hFont);
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc, lpszText, static_cast<int>(std::strlen(lpszText)), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.assign(static_cast<size_t>(std::max(nIDCount, 0)), Pane{});
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        pane.nID = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (pane.nID == ID_SEPARATOR)
            continue;
        // An indicator is as wide as its text.
        if (!pane.strText.LoadString(pane.nID))
            bResult = FALSE;
        pane.cxText = TextWidth(pane.strText);
    }
    if (!m_panes.empty() && m_panes.front().nID == ID_SEPARATOR) {
        m_panes.front().nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
        const CString idle = AfxLoadPrompt(IDS_IDLE_MESSAGE);
        SetPaneText(0, idle.IsEmpty() ? "Ready" : (LPCTSTR)idle, FALSE);
    }
    Invalidate();
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return m_panes[static_cast<size_t>(nIndex)].nID;
}

std::vector<CRect> CStatusBar::LayoutPanes() const {
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    std::vector<CRect> rects;
    int fixed = kBarBorder * 2 + kPaneGap * std::max(GetCount() - 1, 0);
    for (const Pane& pane : m_panes) {
        if (!(pane.nStyle & SBPS_STRETCH))
            fixed += pane.cxText + 2 * kPaneMargin;
    }
    int x = kBarBorder;
    for (const Pane& pane : m_panes) {
        int width = pane.cxText + 2 * kPaneMargin;
        if (pane.nStyle & SBPS_STRETCH)
            width = std::max(width, client.Width() - fixed);
        rects.emplace_back(x, kBarBorder, x + width, client.Height() - kBarBorder);
        x += width + kPaneGap;
    }
    return rects;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    *lpRect = LayoutPanes()[static_cast<size_t>(nIndex)];
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    Invalidate();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return m_panes[static_cast<size_t>(nIndex)].nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    Invalidate();
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return m_panes[static_cast<size_t>(nIndex)].strText;
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const CString text(lpszNewText);
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (nIndex == 0 && m_hWnd)
        ::DefWindowProcA(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszNewText));
    if (bUpdate && m_hWnd) {
        CRect rect = LayoutPanes()[static_cast<size_t>(nIndex)];
        InvalidateRect(&rect);
    }
    return TRUE;
}

int CStatusBar::GetBarHeight() const {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, m_hFont);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return metrics.tmHeight + 2 * (kBarBorder + kPaneMargin);
}

BOOL CStatusBar::OnEraseBkgnd(CDC*) {
    return TRUE; // OnPaint fills everything
}

void CStatusBar::OnPaint() {
    CPaintDC paint(this);
    const HDC dc = paint.m_hDC;
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ previousFont = ::SelectObject(dc, m_hFont);
    ::SetBkMode(dc, TRANSPARENT);
    const std::vector<CRect> rects = LayoutPanes();
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& pane = m_panes[i];
        CRect rect = rects[i];
        if (!(pane.nStyle & SBPS_NOBORDERS))
            ::DrawEdge(dc, &rect, (pane.nStyle & SBPS_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                       BF_RECT);
        ::SetTextColor(
            dc, ::GetSysColor((pane.nStyle & SBPS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        if (pane.nStyle & SBPS_DISABLED)
            continue;
        CRect text = rect;
        text.DeflateRect(kPaneMargin, 0);
        ::DrawTextA(dc, pane.strText, -1, &text,
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    ::SelectObject(dc, previousFont);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    Invalidate();
}

LRESULT CStatusBar::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hFont);
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hFont = wParam ? reinterpret_cast<HFONT>(wParam) : m_hOwnFont;
    if (lParam)
        Invalidate();
    return 0;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    // The window text is the first pane's.
    if (!m_panes.empty())
        SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam));
    return ::DefWindowProcA(m_hWnd, WM_SETTEXT, 0, lParam);
}
