// Update handlers of menu items: the frame runs them when a popup opens, routing each item
// through the frame and then the application; the first handler found decides.
#include "framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_route;

enum : UINT {
    kFrameUpdated = 501,   // update handler in the frame
    kAppUpdated = 502,     // update handler in the application only
    kBothUpdated = 503,    // update handlers in both: the frame's wins
    kCommandOnly = 504,    // a command handler in the application, no update handler
    kNothing = 505,        // no handler of either kind
    kUpdateNoEnable = 506, // an update handler that sets only the text
};

class CRoutingApp : public CWinApp {
public:
    afx_msg void OnUpdateApp(CCmdUI* pCmdUI) {
        g_route += "A" + std::to_string(pCmdUI->m_nID) + " ";
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnCommandOnly() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, CWinApp)
ON_UPDATE_COMMAND_UI(kAppUpdated, OnUpdateApp)
ON_UPDATE_COMMAND_UI(kBothUpdated, OnUpdateApp)
ON_COMMAND(kCommandOnly, OnCommandOnly)
END_MESSAGE_MAP()

class CRoutingFrame : public CFrameWnd {
public:
    afx_msg void OnUpdateFrame(CCmdUI* pCmdUI) {
        g_route += "F" + std::to_string(pCmdUI->m_nID) + " ";
        pCmdUI->Enable(pCmdUI->m_nID == kFrameUpdated);
        pCmdUI->SetText("Renamed");
    }
    afx_msg void OnUpdateTextOnly(CCmdUI* pCmdUI) {
        g_route += "T" + std::to_string(pCmdUI->m_nIndex) + " ";
        pCmdUI->SetText("Text only");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(kFrameUpdated, OnUpdateFrame)
ON_UPDATE_COMMAND_UI(kBothUpdated, OnUpdateFrame)
ON_UPDATE_COMMAND_UI(kUpdateNoEnable, OnUpdateTextOnly)
END_MESSAGE_MAP()

TEST(UpdateRouting, PopupItemsRouteThroughTheFrameThenTheApplication) {
    g_route.clear();
    CRoutingApp app;
    auto* frame = new CRoutingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Routing"));
    app.m_pMainWnd = frame;

    const HMENU popup = ::CreatePopupMenu();
    for (UINT id : {kFrameUpdated, kAppUpdated, kBothUpdated})
        ::AppendMenuA(popup, MF_STRING, id, "Item");
    ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    for (UINT id : {kCommandOnly, kNothing, kUpdateNoEnable})
        ::AppendMenuA(popup, MF_STRING, id, "Item");
    const HMENU bar = ::CreateMenu();
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Test");
    ::SetMenu(*frame, bar);

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELONG(0, FALSE));
    // One update call per item with a handler, in menu order; the separator is skipped.
    EXPECT_EQ("F501 A502 F503 T6 ", g_route);

    auto state = [popup](UINT id) { return ::GetMenuState(popup, id, MF_BYCOMMAND); };
    EXPECT_EQ(0u, state(kFrameUpdated) & MF_GRAYED);
    EXPECT_NE(0u, state(kBothUpdated) & MF_GRAYED) << "the frame's handler disabled it";
    EXPECT_EQ(0u, state(kBothUpdated) & MF_CHECKED) << "the application's was not called";
    EXPECT_NE(0u, state(kAppUpdated) & MF_CHECKED);
    EXPECT_EQ(0u, state(kCommandOnly) & MF_GRAYED) << "a command handler enables it";
    EXPECT_NE(0u, state(kNothing) & MF_GRAYED) << "no handler at all";
    EXPECT_NE(0u, state(kUpdateNoEnable) & MF_GRAYED)
        << "an update handler that does not enable leaves the command-handler rule";
    char text[32] = {};
    ::GetMenuStringA(popup, kUpdateNoEnable, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Text only", text);
    ::GetMenuStringA(popup, kBothUpdated, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Renamed", text);

    // The system menu's popup is left alone.
    g_route.clear();
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELONG(0, TRUE));
    EXPECT_EQ("", g_route);

    frame->DestroyWindow();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
}

} // namespace
