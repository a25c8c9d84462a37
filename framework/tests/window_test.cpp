// Framework windows on the platform's window manager: attachment during creation, message
// routing, menu updates through WM_INITMENUPOPUP, frame destruction and modal dialogs.
#include "framework.h"
#include "framework_tests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_trace;

const UINT kPing = WM_USER + 10;

class CTraceWnd : public CWnd {
public:
    ~CTraceWnd() override { g_trace += "[deleted]"; }

    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        // The object is attached before the window's creation messages arrive.
        g_trace += FromHandlePermanent(m_hWnd) == this ? "[create attached " : "[create detached ";
        g_trace += lpCreateStruct->lpszName;
        g_trace += "]";
        return CWnd::OnCreate(lpCreateStruct);
    }
    LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
        g_trace += "[ping]";
        return static_cast<LRESULT>(wParam * 2) + lParam;
    }
    void OnDestroy() {
        g_trace += "[destroy]";
        CWnd::OnDestroy();
    }
    void OnNcDestroy() {
        g_trace += "[ncdestroy]";
        CWnd::OnNcDestroy();
    }

protected:
    void PostNcDestroy() override {
        g_trace += m_hWnd ? "[post attached]" : "[post detached]";
        delete this;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTraceWnd, CWnd)
ON_WM_CREATE()
ON_MESSAGE(kPing, OnPing)
ON_WM_DESTROY()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// Removes what the tests left in this thread's queue.
void DrainQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
    }
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { g_trace.clear(); }
    void TearDown() override { DrainQueue(); }
};

TEST_F(WindowTest, WindowLifetimeRoutesThroughTheObject) {
    auto* wnd = new CTraceWnd;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "Traced", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                              nullptr));
    const HWND hWnd = wnd->m_hWnd;
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(wnd, CWnd::FromHandlePermanent(hWnd));

    EXPECT_EQ(25, ::SendMessageA(hWnd, kPing, 12, 1));
    // Unmapped messages reach the default window procedure.
    ::SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    CString text;
    wnd->GetWindowText(text);
    EXPECT_EQ("Renamed", text);

    wnd->DestroyWindow();
    EXPECT_EQ("[create attached Traced][ping][destroy][ncdestroy][post detached][deleted]",
              g_trace);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(WindowTest, TemporaryObjectsStandForWindowsWithoutObjects) {
    const HWND hWnd = ::CreateWindowExA(0, AfxRegisterWndClass(0), "Plain", WS_OVERLAPPED, 0, 0, 50,
                                        50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CWnd* temporary = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(hWnd, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(hWnd)) << "one temporary object per handle";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
}

TEST_F(WindowTest, IdleTimeFreesTemporaryObjectsButNotTheirHandles) {
    CWinApp app;
    const HWND hWnd = ::CreateWindowExA(0, AfxRegisterWndClass(0), "Plain", WS_OVERLAPPED, 0, 0, 50,
                                        50, nullptr, nullptr, nullptr, nullptr);
    const HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    const HDC screen = ::GetDC(nullptr);
    ASSERT_NE(nullptr, CWnd::FromHandle(hWnd));
    ASSERT_NE(nullptr, CBrush::FromHandle(brush));
    ASSERT_NE(nullptr, CDC::FromHandle(screen));

    app.OnIdle(0);
    app.OnIdle(1);

    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(brush));
    EXPECT_EQ(static_cast<DWORD>(OBJ_DC), ::GetObjectType(screen));
    EXPECT_EQ(hWnd, CWnd::FromHandle(hWnd)->m_hWnd) << "a new temporary object after idle time";
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(brush);
    ::DestroyWindow(hWnd);
}

class CTestFrame : public CFrameWnd {
public:
    static bool s_bDeleted;
    ~CTestFrame() override { s_bDeleted = true; }

    void OnHandled() {}
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateRenamed(CCmdUI* pCmdUI) {
        pCmdUI->SetText("&Enable");
        pCmdUI->Enable(TRUE);
    }

    DECLARE_MESSAGE_MAP()
};

bool CTestFrame::s_bDeleted = false;

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(IDM_HANDLED, OnHandled)
ON_UPDATE_COMMAND_UI(IDM_CHECKED, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(IDM_RENAMED, OnUpdateRenamed)
END_MESSAGE_MAP()

class CFrameTestApp : public CWinApp {
public:
    void OnAppHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
ON_COMMAND(IDM_APP_HANDLED, OnAppHandled)
END_MESSAGE_MAP()

TEST_F(WindowTest, DefaultFrameClassAndMenuUpdates) {
    CFrameTestApp app;
    auto* frame = new CTestFrame;
    CTestFrame::s_bDeleted = false;
    ASSERT_TRUE(frame->Create(nullptr, "Frame test", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                              nullptr, MAKEINTRESOURCE(IDR_TESTMENU)));
    app.m_pMainWnd = frame;
    const HWND hWnd = frame->m_hWnd;

    char className[64] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    EXPECT_STREQ("MullionFrameWindow", className);
    const DWORD style = ::GetClassLongA(hWnd, GCL_STYLE);
    EXPECT_EQ(static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), style);
    EXPECT_NE(0u, ::GetClassLongPtrA(hWnd, GCLP_HICON)) << "icon 31234 of the module";

    const HMENU popup = ::GetSubMenu(::GetMenu(hWnd), 0);
    ASSERT_NE(nullptr, popup);
    ::SendMessageA(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELONG(0, FALSE));

    auto state = [popup](UINT id) { return ::GetMenuState(popup, id, MF_BYCOMMAND); };
    EXPECT_EQ(0u, state(IDM_HANDLED) & (MF_GRAYED | MF_DISABLED));
    EXPECT_NE(0u, state(IDM_UNHANDLED) & MF_GRAYED) << "no handler at all: disabled";
    EXPECT_NE(0u, state(IDM_CHECKED) & MF_CHECKED);
    EXPECT_NE(0u, state(IDM_CHECKED) & MF_GRAYED) << "checked, but no command handler";
    EXPECT_EQ(0u, state(IDM_RENAMED) & MF_GRAYED);
    EXPECT_EQ(0u, state(IDM_APP_HANDLED) & MF_GRAYED) << "the application handles it";
    char text[32] = {};
    ::GetMenuStringA(popup, IDM_RENAMED, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("&Enable", text);

    // Closing the main frame destroys it, deletes the object and ends the message loop.
    ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(CTestFrame::s_bDeleted);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

// A control of a system class, created through CreateEx: its messages, from the creation
// messages on, pass through the object's map first, and the rest reach the control's own
// procedure.
class CTracedButton : public CWnd {
public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        g_trace += "[button create ";
        g_trace += lpCreateStruct->lpszClass;
        g_trace += "]";
        return CWnd::OnCreate(lpCreateStruct);
    }
    LRESULT OnPing(WPARAM wParam, LPARAM) {
        g_trace += "[button ping]";
        return static_cast<LRESULT>(wParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTracedButton, CWnd)
ON_WM_CREATE()
ON_MESSAGE(kPing, OnPing)
END_MESSAGE_MAP()

TEST_F(WindowTest, SystemClassWindowsAreSubclassedByCreateEx) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr));
    CTracedButton button;
    ASSERT_TRUE(button.Create("Button", "Check", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 5, 100, 30),
                              &parent, 7));
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));
    EXPECT_EQ(7, button.GetDlgCtrlID());

    EXPECT_EQ(9, button.SendMessage(kPing, 9));
    button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, button.SendMessage(BM_GETCHECK)) << "the control's own procedure";
    EXPECT_EQ("[button create Button][button ping]", g_trace);

    parent.DestroyWindow();
    EXPECT_EQ(nullptr, button.m_hWnd) << "destroyed with its parent and detached";
}

const UINT kAcceleratedCommand = 700;

class CAcceleratedFrame : public CFrameWnd {
public:
    void OnAccelerated() { g_trace += "[accelerated]"; }
    void UseTable(HACCEL hAccel) { m_hAccelTable = hAccel; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAcceleratedFrame, CFrameWnd)
ON_COMMAND(kAcceleratedCommand, OnAccelerated)
END_MESSAGE_MAP()

TEST_F(WindowTest, MainFrameAcceleratorsTranslateKeysOfItsChildren) {
    CWinApp app;
    auto* frame = new CAcceleratedFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Accelerated"));
    ACCEL accel = {FVIRTKEY, VK_F5, kAcceleratedCommand};
    frame->UseTable(::CreateAcceleratorTableA(&accel, 1));
    app.m_pMainWnd = frame;
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 20, 20), frame, 1));

    MSG key{child.m_hWnd, WM_KEYDOWN, VK_F5, 1, 0, {0, 0}};
    EXPECT_TRUE(app.PreTranslateMessage(&key));
    MSG other{child.m_hWnd, WM_KEYDOWN, VK_F6, 1, 0, {0, 0}};
    EXPECT_FALSE(app.PreTranslateMessage(&other));
    EXPECT_EQ("[accelerated]", g_trace);

    child.DestroyWindow();
    frame->DestroyWindow();
}

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT nCommand) : CDialog(IDD_TESTDLG), m_nCommand(nCommand) {}

    CString m_strLabel;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        g_trace += "[init]";
        GetDlgItem(IDC_TESTLABEL)->GetWindowText(m_strLabel);
        // Press a button once the modal loop runs.
        CWnd* button = GetDlgItem(static_cast<int>(m_nCommand));
        PostMessage(WM_COMMAND, MAKELONG(m_nCommand, BN_CLICKED),
                    reinterpret_cast<LPARAM>(button->m_hWnd));
        return TRUE;
    }
    void OnOK() override {
        g_trace += "[ok]";
        CDialog::OnOK();
    }
    void OnOther() {
        g_trace += "[other]";
        EndDialog(42);
    }

protected:
    UINT m_nCommand;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
ON_BN_CLICKED(IDC_TESTBUTTON, OnOther)
END_MESSAGE_MAP()

TEST_F(WindowTest, ModalDialogEndsWithTheButtonsResult) {
    CTestDialog okDialog(IDOK);
    EXPECT_EQ(IDOK, okDialog.DoModal());
    EXPECT_EQ("Label", okDialog.m_strLabel);
    EXPECT_EQ(nullptr, okDialog.m_hWnd) << "the object is detached once the dialog is gone";

    CTestDialog cancelDialog(IDCANCEL);
    EXPECT_EQ(IDCANCEL, cancelDialog.DoModal());

    CTestDialog otherDialog(IDC_TESTBUTTON);
    EXPECT_EQ(42, otherDialog.DoModal());
    EXPECT_EQ("[init][ok][init][init][other]", g_trace);
}

// A window that, when its posted message arrives inside a modal loop, presses a button of the
// dialog with the test template's caption.
class CPresserWnd : public CWnd {
public:
    LRESULT OnPress(WPARAM wParam, LPARAM) {
        const HWND dialog = ::FindWindowA(nullptr, "Framework test");
        g_trace += dialog ? "[press]" : "[no dialog]";
        ::SendMessageA(dialog, WM_COMMAND, MAKELONG(wParam, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(wParam))));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT kPress = WM_USER + 12;

BEGIN_MESSAGE_MAP(CPresserWnd, CWnd)
ON_MESSAGE(kPress, OnPress)
END_MESSAGE_MAP()

TEST_F(WindowTest, PlainDialogClosesThroughTheDefaultHandlers) {
    CPresserWnd presser;
    ASSERT_TRUE(presser.CreateEx(0, nullptr, "Presser", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));

    // The message waits in the queue until the dialog's modal loop retrieves it.
    presser.PostMessage(kPress, IDOK);
    CDialog okDialog(IDD_TESTDLG);
    EXPECT_EQ(IDOK, okDialog.DoModal());

    presser.PostMessage(kPress, IDCANCEL);
    CDialog cancelDialog(IDD_TESTDLG);
    EXPECT_EQ(IDCANCEL, cancelDialog.DoModal());
    EXPECT_EQ("[press][press]", g_trace);
    presser.DestroyWindow();
}

} // namespace

namespace {

TEST(ResourceTest, StringsLoadFromTheModulesStringTable) {
    CString text("old");
    EXPECT_TRUE(text.LoadString(IDS_TEST_STRING));
    EXPECT_EQ("Ready", text);
    EXPECT_FALSE(text.LoadString(IDS_MISSING_STRING));
    EXPECT_TRUE(text.IsEmpty());
}

} // namespace
