// Message reflection: notifications a parent receives about a control reach the control's own
// object first; subclassing existing windows and giving them back.
#include "framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_trace;

const int kControlId = 41;

// A parent that records what reaches its own map.
class CReflectParent : public CWnd {
public:
    HBRUSH m_hParentBrush = nullptr;

    afx_msg void OnClicked() { g_trace += "[parent clicked]"; }
    afx_msg void OnDoubleClicked() { g_trace += "[parent double]"; }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor) {
        g_trace += "[parent colour " + std::to_string(nCtlColor) + "]";
        pDC->SetTextColor(RGB(1, 2, 3));
        return m_hParentBrush;
    }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT) {
        g_trace += "[parent draw " + std::to_string(nIDCtl) + "]";
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectParent, CWnd)
ON_BN_CLICKED(kControlId, OnClicked)
ON_BN_DOUBLECLICKED(kControlId, OnDoubleClicked)
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A button that handles its own click, its colours, and lets double clicks through.
class CSelfColouredButton : public CButton {
public:
    HBRUSH m_hBrush = nullptr;
    BOOL m_bPassDoubleClick = TRUE;

    afx_msg void OnClicked() { g_trace += "[self clicked]"; }
    afx_msg BOOL OnDoubleClicked() {
        g_trace += "[self double]";
        return !m_bPassDoubleClick;
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
        g_trace += "[self colour " + std::to_string(nCtlColor) + "]";
        pDC->SetTextColor(RGB(200, 0, 0));
        return m_hBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfColouredButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_CONTROL_REFLECT_EX(BN_DOUBLECLICKED, OnDoubleClicked)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// An owner-drawn button drawing itself.
class COwnerDrawnButton : public CButton {
public:
    UINT m_nLastState = 0xFFFF;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        g_trace += "[self draw]";
        m_nLastState = lpDrawItemStruct->itemState;
    }
};

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_trace.clear();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      300, 200, nullptr, nullptr));
    }
    void TearDown() override {
        m_parent.DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    LRESULT Notify(HWND control, WORD code) {
        return m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kControlId, code),
                                    reinterpret_cast<LPARAM>(control));
    }
    LRESULT AskColour(HWND control, UINT message, HDC dc) {
        return m_parent.SendMessage(message, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(control));
    }

    CReflectParent m_parent;
};

TEST_F(ReflectionTest, ReflectedNotificationIsHandledByTheControlAndHiddenFromTheParent) {
    CSelfColouredButton button;
    ASSERT_TRUE(button.Create("Self", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &m_parent,
                              kControlId));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ("[self clicked]", g_trace);
}

TEST_F(ReflectionTest, ExHandlerReturningFalsePassesTheNotificationOnToTheParent) {
    CSelfColouredButton button;
    ASSERT_TRUE(button.Create("Self", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &m_parent,
                              kControlId));
    Notify(button, BN_DOUBLECLICKED);
    EXPECT_EQ("[self double][parent double]", g_trace);

    g_trace.clear();
    button.m_bPassDoubleClick = FALSE;
    Notify(button, BN_DOUBLECLICKED);
    EXPECT_EQ("[self double]", g_trace);
}

TEST_F(ReflectionTest, ControlWithoutReflectionLeavesTheNotificationToTheParent) {
    CButton button;
    ASSERT_TRUE(button.Create("Plain", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &m_parent,
                              kControlId));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ("[parent clicked]", g_trace);

    // A window without any framework object is no obstacle either.
    const HWND bare =
        ::CreateWindowExA(0, "BUTTON", "Bare", WS_CHILD | WS_VISIBLE, 5, 40, 80, 30, m_parent,
                          reinterpret_cast<HMENU>(kControlId), nullptr, nullptr);
    ASSERT_NE(nullptr, bare);
    g_trace.clear();
    ::SendMessageA(bare, BM_CLICK, 0, 0);
    EXPECT_EQ("[parent clicked]", g_trace);
}

TEST_F(ReflectionTest, ControlAnswersItsOwnColourQueryWithItsBrushAndDcColours) {
    CSelfColouredButton button;
    ASSERT_TRUE(button.Create("Self", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 5, 80, 30), &m_parent,
                              kControlId));
    CBrush own(RGB(0, 0, 255));
    button.m_hBrush = own;
    HDC dc = ::GetDC(m_parent);
    const LRESULT answer = AskColour(button, WM_CTLCOLORSTATIC, dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(own.m_hObject), answer);
    EXPECT_EQ(RGB(200, 0, 0), ::GetTextColor(dc));
    EXPECT_EQ("[self colour 6]", g_trace) << "CTLCOLOR_STATIC, and the parent is not asked";

    // No brush from the control: the parent decides.
    g_trace.clear();
    button.m_hBrush = nullptr;
    CBrush parentBrush(RGB(0, 255, 0));
    m_parent.m_hParentBrush = parentBrush;
    EXPECT_EQ(reinterpret_cast<LRESULT>(parentBrush.m_hObject),
              AskColour(button, WM_CTLCOLORBTN, dc));
    EXPECT_EQ("[self colour 3][parent colour 3]", g_trace);
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(dc));
    ::ReleaseDC(m_parent, dc);
}

TEST_F(ReflectionTest, TheControlsOwnPaintingAsksItselfForColours) {
    CSelfColouredButton button;
    ASSERT_TRUE(button.Create("Self", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(5, 5, 80, 30),
                              &m_parent, kControlId));
    CBrush own(RGB(0, 0, 255));
    button.m_hBrush = own;
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ("[self colour 6]", g_trace);
}

TEST_F(ReflectionTest, OwnerDrawnButtonDrawsItselfWithTheDrawItemStruct) {
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create("Owner", WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 80, 30), &m_parent,
                              kControlId));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ("[self draw]", g_trace);
    EXPECT_EQ(0u, button.m_nLastState & (ODS_SELECTED | ODS_DISABLED));

    g_trace.clear();
    button.EnableWindow(FALSE);
    button.UpdateWindow();
    EXPECT_EQ("[self draw]", g_trace) << "the parent's own handler is not called";
    EXPECT_NE(0u, button.m_nLastState & ODS_DISABLED);

    // A plain CButton does not claim the drawing of an owner-drawn menu.
    g_trace.clear();
    DRAWITEMSTRUCT menuItem{};
    menuItem.CtlType = ODT_MENU;
    menuItem.hwndItem = reinterpret_cast<HWND>(::CreatePopupMenu());
    m_parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuItem));
    EXPECT_EQ("[parent draw 0]", g_trace);
    ::DestroyMenu(reinterpret_cast<HMENU>(menuItem.hwndItem));
}

// A subclassed control: the object's map sees its messages first; everything else reaches the
// control's own procedure.
class CCountingWnd : public CWnd {
public:
    int m_nSetText = 0;
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam) {
        ++m_nSetText;
        g_trace += "[set text]";
        return DefWindowProc(WM_SETTEXT, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

TEST_F(ReflectionTest, SubclassDlgItemRoutesThroughTheObjectUntilUnsubclassed) {
    const HWND control =
        ::CreateWindowExA(0, "BUTTON", "Old", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, 5, 80, 30,
                          m_parent, reinterpret_cast<HMENU>(kControlId), nullptr, nullptr);
    ASSERT_NE(nullptr, control);
    const auto original = ::GetWindowLongPtrA(control, GWLP_WNDPROC);

    CCountingWnd wnd;
    ASSERT_TRUE(wnd.SubclassDlgItem(kControlId, &m_parent));
    EXPECT_EQ(control, wnd.m_hWnd);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(control));
    EXPECT_NE(original, ::GetWindowLongPtrA(control, GWLP_WNDPROC));
    EXPECT_FALSE(CCountingWnd().SubclassWindow(control)) << "already has an object";

    ::SetWindowTextA(control, "New");
    EXPECT_EQ(1, wnd.m_nSetText);
    char text[16] = {};
    ::GetWindowTextA(control, text, sizeof text);
    EXPECT_STREQ("New", text) << "the original procedure stored the text";
    // Messages the map does not handle reach the button's own procedure.
    ::SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(control, BM_GETCHECK, 0, 0));

    EXPECT_EQ(control, wnd.UnsubclassWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(original, ::GetWindowLongPtrA(control, GWLP_WNDPROC));
    ::SetWindowTextA(control, "Later");
    EXPECT_EQ(1, wnd.m_nSetText);
    EXPECT_FALSE(wnd.SubclassDlgItem(kControlId + 1, &m_parent)) << "no such item";
}

TEST_F(ReflectionTest, SubclassedControlIsDetachedWhenItsWindowIsDestroyed) {
    const HWND control =
        ::CreateWindowExA(0, "STATIC", "Text", WS_CHILD | WS_VISIBLE, 5, 5, 80, 30, m_parent,
                          reinterpret_cast<HMENU>(kControlId), nullptr, nullptr);
    CCountingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(control));
    ::DestroyWindow(control);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(control));
}

} // namespace
