// Dialbook's main window: its title, style and menu, and the list that covers the whole client
// area however the window is sized.
#include "main_window.h"

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        m_pWnd = new CMainWindow;
        ASSERT_NE(m_pWnd->m_hWnd, nullptr);
        m_pWnd->ShowWindow(SW_SHOWNORMAL);
        m_pWnd->UpdateWindow();
    }
    void TearDown() override { m_pWnd->DestroyWindow(); }

    CWnd* List() const { return m_pWnd->GetDlgItem(130); }

    CMainWindow* m_pWnd = nullptr;
};

TEST_F(MainWindowTest, FrameHasItsTitleStyleAndOptionsMenu) {
    CString title;
    m_pWnd->GetWindowText(title);
    EXPECT_STREQ(title, "Names and Phones");
    EXPECT_EQ(m_pWnd->GetStyle() & WS_OVERLAPPEDWINDOW, DWORD(WS_OVERLAPPEDWINDOW));

    const HMENU bar = ::GetMenu(m_pWnd->m_hWnd);
    ASSERT_NE(bar, nullptr);
    char text[64] = {};
    ::GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Options");
    const HMENU options = ::GetSubMenu(bar, 0);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(::GetMenuItemCount(options), 3);
    EXPECT_EQ(::GetMenuItemID(options, 0), 110u);
    ::GetMenuStringA(options, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&New...");
    EXPECT_EQ(::GetMenuState(options, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(options, 2), 111u);
    ::GetMenuStringA(options, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "E&xit");
}

TEST_F(MainWindowTest, ListCoversTheClientAreaAfterEveryResize) {
    for (const CSize size : {CSize(400, 300), CSize(250, 420), CSize(640, 200)}) {
        m_pWnd->MoveWindow(20, 30, size.cx, size.cy);
        CRect client;
        m_pWnd->GetClientRect(&client);
        m_pWnd->ClientToScreen(&client);
        ASSERT_NE(List(), nullptr);
        CRect list;
        List()->GetWindowRect(&list);
        EXPECT_EQ(list, client) << size.cx << " x " << size.cy;
    }
}

} // namespace
