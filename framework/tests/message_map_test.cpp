// Message-map dispatch and command routing, driven through OnWndMsg and OnCmdMsg on objects
// without windows: every handler appends to a trace and the tests compare whole traces.
#include "framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_trace;

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Trace(const char* format, ...) {
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    g_trace += text;
}

const UINT kPrivateMessage = WM_USER + 5;
const UINT kCommandOpen = 100;
const UINT kCommandBaseOnly = 101;
const UINT kColorFirst = 200, kColorLast = 204;
const UINT kAppCommand = 300;
const UINT kNoHandlerCommand = 400;
const UINT kEditControl = 500;

class CBaseTestWnd : public CWnd {
public:
    void OnPaint() { Trace("[base paint]"); }
    BOOL OnEraseBkgnd(CDC* pDC) {
        Trace("[erase %s]", pDC ? "dc" : "none");
        return TRUE;
    }
    void OnMouseMove(UINT nFlags, CPoint point) {
        Trace("[move %u %d,%d]", nFlags, point.x, point.y);
    }
    void OnSize(UINT nType, int cx, int cy) { Trace("[size %u %dx%d]", nType, cx, cy); }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
        Trace("[key %u %u %u]", nChar, nRepCnt, nFlags);
    }
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        Trace("[create %s]", lpCreateStruct->lpszName);
        return -1;
    }
    LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
        Trace("[private]");
        return static_cast<LRESULT>(wParam) + lParam;
    }
    void OnOpen() { Trace("[base open]"); }
    void OnBaseOnly() { Trace("[base only]"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_CREATE()
ON_MESSAGE(kPrivateMessage, OnPrivate)
ON_COMMAND(kCommandOpen, OnOpen)
ON_COMMAND(kCommandBaseOnly, OnBaseOnly)
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd {
public:
    void OnPaint() { Trace("[derived paint]"); }
    void OnOpen() { Trace("[derived open]"); }
    void OnColor(UINT nID) { Trace("[color %u]", nID); }
    void OnEditChange() { Trace("[edit change]"); }
    void OnEditFocus() { Trace("[edit focus]"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
ON_WM_PAINT()
ON_COMMAND(kCommandOpen, OnOpen)
ON_COMMAND_RANGE(kColorFirst, kColorLast, OnColor)
ON_EN_CHANGE(kEditControl, OnEditChange)
ON_EN_SETFOCUS(kEditControl, OnEditFocus)
END_MESSAGE_MAP()

// A window handle value that only serves as a non-null control handle in WM_COMMAND.
HWND FakeControl() {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override { g_trace.clear(); }

    // Dispatches like the window procedure does, without a window.
    bool Send(CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
              LRESULT* result = nullptr) {
        LRESULT ignored = 0;
        return wnd.OnWndMsg(message, wParam, lParam, result ? result : &ignored);
    }
};

TEST_F(MessageMapTest, MessagesReachTheirHandlersWithUnpackedArguments) {
    CBaseTestWnd wnd;
    LRESULT result = 0;
    EXPECT_TRUE(Send(wnd, WM_PAINT));
    EXPECT_TRUE(
        Send(wnd, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELONG(static_cast<WORD>(-3), 40)));
    EXPECT_TRUE(Send(wnd, WM_SIZE, SIZE_MAXIMIZED, MAKELONG(640, 480)));
    EXPECT_TRUE(Send(wnd, WM_KEYDOWN, VK_F5, MAKELONG(2, 0x3F)));
    EXPECT_TRUE(Send(wnd, kPrivateMessage, 40, 2, &result));
    EXPECT_EQ(42, result);
    EXPECT_EQ("[base paint][move 5 -3,40][size 2 640x480][key 116 2 63][private]", g_trace);
}

TEST_F(MessageMapTest, HandlerResultsBecomeTheMessageResult) {
    CBaseTestWnd wnd;
    LRESULT result = 0;
    CREATESTRUCT cs{};
    cs.lpszName = "Banner";
    EXPECT_TRUE(Send(wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs), &result));
    EXPECT_EQ(-1, result);
    EXPECT_TRUE(Send(wnd, WM_ERASEBKGND, 0, 0, &result));
    EXPECT_EQ(TRUE, result);
    EXPECT_EQ("[create Banner][erase none]", g_trace);
}

TEST_F(MessageMapTest, UnmappedMessagesAreLeftToTheDefault) {
    CBaseTestWnd wnd;
    EXPECT_FALSE(Send(wnd, WM_LBUTTONDOWN));
    EXPECT_FALSE(Send(wnd, WM_TIMER));
    EXPECT_FALSE(Send(wnd, WM_COMMAND, MAKELONG(kNoHandlerCommand, 0), 0));
    EXPECT_EQ("", g_trace);
}

TEST_F(MessageMapTest, DerivedEntriesOverrideAndBaseEntriesAreInherited) {
    CDerivedTestWnd wnd;
    Send(wnd, WM_PAINT);
    Send(wnd, WM_ERASEBKGND);
    Send(wnd, WM_COMMAND, MAKELONG(kCommandOpen, 0), 0);
    Send(wnd, WM_COMMAND, MAKELONG(kCommandBaseOnly, 0), 0);
    EXPECT_EQ("[derived paint][erase none][derived open][base only]", g_trace);
}

TEST_F(MessageMapTest, CommandsFromMenusAcceleratorsAndControls) {
    CDerivedTestWnd wnd;
    // A menu command (code 0) and an accelerator (code 1) are both commands.
    Send(wnd, WM_COMMAND, MAKELONG(kCommandOpen, 0), 0);
    Send(wnd, WM_COMMAND, MAKELONG(kCommandOpen, 1), 0);
    // Every identifier of a range reaches the range handler with its own value; the ends too.
    Send(wnd, WM_COMMAND, MAKELONG(kColorFirst, 0), 0);
    Send(wnd, WM_COMMAND, MAKELONG(kColorLast, 0), 0);
    EXPECT_FALSE(Send(wnd, WM_COMMAND, MAKELONG(kColorLast + 1, 0), 0));
    // Control notifications select the entry by code as well as identifier.
    Send(wnd, WM_COMMAND, MAKELONG(kEditControl, EN_CHANGE),
         reinterpret_cast<LPARAM>(FakeControl()));
    Send(wnd, WM_COMMAND, MAKELONG(kEditControl, EN_SETFOCUS),
         reinterpret_cast<LPARAM>(FakeControl()));
    EXPECT_FALSE(Send(wnd, WM_COMMAND, MAKELONG(kEditControl, EN_KILLFOCUS),
                      reinterpret_cast<LPARAM>(FakeControl())));
    EXPECT_EQ("[derived open][derived open][color 200][color 204][edit change][edit focus]",
              g_trace);
}

// Command routing through a frame to the application object, and update handlers.
class CTestApp : public CWinApp {
public:
    void OnAppCommand() { Trace("[app command]"); }
    void OnUpdateAppCommand(CCmdUI* pCmdUI) {
        Trace("[app update]");
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(kAppCommand, OnAppCommand)
ON_UPDATE_COMMAND_UI(kAppCommand, OnUpdateAppCommand)
END_MESSAGE_MAP()

const UINT kFrameDisabled = 600, kFrameChecked = 601, kFrameTexted = 602, kFramePlain = 603;

class CRoutingFrame : public CFrameWnd {
public:
    void OnFrameCommand() { Trace("[frame command]"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    void OnUpdateTexted(CCmdUI* pCmdUI) { pCmdUI->SetText("&Enable"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
ON_COMMAND(kFrameDisabled, OnFrameCommand)
ON_COMMAND(kFramePlain, OnFrameCommand)
ON_UPDATE_COMMAND_UI(kFrameDisabled, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(kFrameChecked, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(kFrameTexted, OnUpdateTexted)
END_MESSAGE_MAP()

// Records what the update handlers ask of the item instead of changing a menu.
class CRecordingCmdUI : public CCmdUI {
public:
    std::string log;
    void Enable(BOOL bOn) override {
        log += bOn ? "enable;" : "disable;";
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { log += nCheck ? "check;" : "uncheck;"; }
    void SetRadio(BOOL bOn) override { log += bOn ? "radio;" : "noradio;"; }
    void SetText(LPCTSTR lpszText) override { log += std::string("text ") + lpszText + ";"; }
};

std::string UpdateLog(CCmdTarget& target, UINT nID) {
    CRecordingCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(&target, TRUE);
    return state.log;
}

TEST_F(MessageMapTest, FrameCommandsFallThroughToTheApplication) {
    CTestApp app;
    CRoutingFrame frame;
    Send(frame, WM_COMMAND, MAKELONG(kFramePlain, 0), 0);
    Send(frame, WM_COMMAND, MAKELONG(kAppCommand, 0), 0);
    EXPECT_FALSE(Send(frame, WM_COMMAND, MAKELONG(kNoHandlerCommand, 0), 0));
    EXPECT_EQ("[frame command][app command]", g_trace);
}

TEST_F(MessageMapTest, UpdateHandlersSetItemStateAndItemsWithoutHandlersAreDisabled) {
    CTestApp app;
    CRoutingFrame frame;
    // The update handler's own decision stands, although a command handler exists.
    EXPECT_EQ("disable;", UpdateLog(frame, kFrameDisabled));
    // A handler that does not enable the item leaves it to the command handler's existence.
    EXPECT_EQ("radio;disable;", UpdateLog(frame, kFrameChecked));
    EXPECT_EQ("text &Enable;disable;", UpdateLog(frame, kFrameTexted));
    EXPECT_EQ("enable;", UpdateLog(frame, kFramePlain));
    EXPECT_EQ("disable;", UpdateLog(frame, kNoHandlerCommand));
    // The application's update and command handlers are found through the frame.
    EXPECT_EQ("check;enable;", UpdateLog(frame, kAppCommand));
    EXPECT_EQ("[app update]", g_trace) << "asking for a handler must not run it";
}

TEST_F(MessageMapTest, DialogMapsOkAndCancelToOverridableHandlers) {
    class CRoutingDialog : public CDialog {
    public:
        void OnOK() override { Trace("[ok]"); }
    };
    CRoutingDialog dialog;
    Send(dialog, WM_COMMAND, MAKELONG(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(FakeControl()));
    EXPECT_EQ("[ok]", g_trace);
}

} // namespace
