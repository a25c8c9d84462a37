// The status bar in a frame: its panes and their texts, the frame's layout around it, menu
// prompts in its first pane, and the command that shows and hides it.
#include "docview_tests.h"
#include "framework.h"
#include "framework_tests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};

class CBarFrame : public CFrameWnd {
public:
    CStatusBar m_wndStatusBar;
    CWnd m_wndView;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_wndView.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this,
                         AFX_IDW_PANE_FIRST);
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 3))
            return -1;
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class StatusBarTest : public ::testing::Test {
protected:
    CWinApp m_app{"Status test"};
    CBarFrame* m_pFrame = new CBarFrame;

    void SetUp() override {
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 410, 310), nullptr,
                                     MAKEINTRESOURCEA(IDR_DOCTYPE)));
        m_pFrame->RecalcLayout();
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CStatusBar& Bar() { return m_pFrame->m_wndStatusBar; }
    CRect ClientRectOf(CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }
    std::string BarWindowText() {
        char buffer[256] = {};
        ::GetWindowTextA(Bar().m_hWnd, buffer, sizeof buffer);
        return buffer;
    }
};

TEST_F(StatusBarTest, BarLiesAlongTheBottomAndTheViewAboveIt) {
    CRect client;
    m_pFrame->GetClientRect(&client);
    const CRect bar = ClientRectOf(Bar());
    const CRect view = ClientRectOf(m_pFrame->m_wndView);
    EXPECT_EQ(client.bottom, bar.bottom);
    EXPECT_EQ(client.left, bar.left);
    EXPECT_EQ(client.right, bar.right);
    EXPECT_EQ(Bar().GetBarHeight(), bar.Height());
    EXPECT_EQ(CRect(0, 0, client.right, bar.top), view);
    // Tall enough for a line of its font.
    TEXTMETRICA metrics{};
    HDC dc = ::GetDC(Bar().m_hWnd);
    HGDIOBJ previous = ::SelectObject(dc, Bar().GetFont()->m_hObject);
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(Bar().m_hWnd, dc);
    EXPECT_GE(bar.Height(), metrics.tmHeight);
}

TEST_F(StatusBarTest, FirstPaneStretchesAndShowsTheIdleMessage) {
    ASSERT_EQ(3, Bar().GetCount());
    EXPECT_EQ("Ready", std::string(Bar().GetPaneText(0)));
    EXPECT_EQ("Ready", BarWindowText());
    UINT nID = 1;
    UINT nStyle = 0;
    int cxWidth = -1;
    Bar().GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(UINT(ID_SEPARATOR), nID);
    Bar().SetPaneInfo(1, nID, nStyle, 120);
    Bar().SetPaneInfo(2, nID, nStyle, 40);

    CRect client;
    Bar().GetClientRect(&client);
    CRect rects[3];
    for (int i = 0; i < 3; ++i)
        Bar().GetItemRect(i, &rects[i]);
    EXPECT_GE(rects[1].Width(), 120);
    EXPECT_GE(rects[2].Width(), 40);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(rects[i].left, client.left);
        EXPECT_LE(rects[i].right, client.right);
        if (i > 0) {
            EXPECT_LE(rects[i - 1].right, rects[i].left) << "panes do not overlap";
        }
    }
    // The fixed panes end near the right edge; the first pane takes the rest.
    EXPECT_GT(rects[2].right, client.right - 8);
    EXPECT_GT(rects[0].Width(), client.Width() - rects[1].Width() - rects[2].Width() - 16);

    // Widening the frame widens only the first pane.
    const int firstWidth = rects[0].Width();
    m_pFrame->MoveWindow(10, 10, 500, 300);
    CRect wider[3];
    for (int i = 0; i < 3; ++i)
        Bar().GetItemRect(i, &wider[i]);
    EXPECT_EQ(firstWidth + 100, wider[0].Width());
    EXPECT_EQ(rects[1].Width(), wider[1].Width());
    EXPECT_EQ(rects[2].Width(), wider[2].Width());
}

TEST_F(StatusBarTest, PaneTextsAreKeptPerPane) {
    EXPECT_TRUE(Bar().SetPaneText(1, "640 x 480, 8 bpp"));
    EXPECT_TRUE(Bar().SetPaneText(2, "50%"));
    EXPECT_FALSE(Bar().SetPaneText(3, "none"));
    EXPECT_EQ("640 x 480, 8 bpp", std::string(Bar().GetPaneText(1)));
    EXPECT_EQ("50%", std::string(Bar().GetPaneText(2)));
    EXPECT_EQ("Ready", std::string(Bar().GetPaneText(0)));
    Bar().SetWindowText("Working");
    EXPECT_EQ("Working", std::string(Bar().GetPaneText(0)));
}

TEST_F(StatusBarTest, IndicatorPanesTakeTheirStringResource) {
    const UINT indicators[] = {ID_SEPARATOR, IDS_TEST_STRING};
    EXPECT_TRUE(Bar().SetIndicators(indicators, 2));
    EXPECT_EQ("Ready", std::string(Bar().GetPaneText(1)));
    EXPECT_EQ(1, Bar().CommandToIndex(IDS_TEST_STRING));
    EXPECT_EQ(-1, Bar().CommandToIndex(12345));
    UINT nID = 0;
    UINT nStyle = 0;
    int cxWidth = 0;
    Bar().GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(UINT(IDS_TEST_STRING), nID);
    SIZE extent{};
    HDC dc = ::GetDC(Bar().m_hWnd);
    HGDIOBJ previous = ::SelectObject(dc, Bar().GetFont()->m_hObject);
    ::GetTextExtentPoint32A(dc, "Ready", 5, &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(Bar().m_hWnd, dc);
    EXPECT_EQ(extent.cx, cxWidth) << "as wide as its text";
    const UINT missing[] = {ID_SEPARATOR, IDS_MISSING_STRING};
    EXPECT_FALSE(Bar().SetIndicators(missing, 2));
}

TEST_F(StatusBarTest, MenuPromptsShowInTheFirstPaneUntilTheMenuCloses) {
    HMENU menu = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 1);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(IDM_DOC_COMMAND, MF_STRING),
                          reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ("Runs the document's command", std::string(Bar().GetPaneText(0)));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(IDM_VIEW_COMMAND, MF_STRING),
                          reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ("", std::string(Bar().GetPaneText(0))) << "an item without a prompt";
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("Ready", std::string(Bar().GetPaneText(0)));
}

TEST_F(StatusBarTest, ViewStatusBarCommandHidesAndShowsTheBar) {
    CRect client;
    m_pFrame->GetClientRect(&client);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(Bar().IsWindowVisible());
    EXPECT_EQ(client, ClientRectOf(m_pFrame->m_wndView)) << "the view takes the whole area";

    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_VIEW_STATUS_BAR, "&Status Bar");
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_EQ(0u, popup.GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Bar().IsWindowVisible());
    EXPECT_EQ(Bar().GetBarHeight(), client.Height() - ClientRectOf(m_pFrame->m_wndView).Height());
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_EQ(UINT(MF_CHECKED), popup.GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
}

} // namespace
