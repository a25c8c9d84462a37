#include "win_app.h"

#include "temporary_objects.h"
#include "window.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <tuple>

namespace {

CWinApp* g_app = nullptr;

// The program's file name without directory and extension.
CString module_title() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString title(path);
    const int slash = std::max(title.ReverseFind('\\'), title.ReverseFind('/'));
    title = title.Mid(slash + 1);
    const int dot = title.ReverseFind('.');
    return dot > 0 ? title.Left(dot) : title;
}

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetStartup(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    if (!m_pszAppName) {
        m_strAppName = module_title();
        m_pszAppName = m_strAppName;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    for (;;) {
        MSG peeked;
        for (LONG count = 0; !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);) {
            if (!OnIdle(count++))
                break;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
        } while (::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PumpMessage() {
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount == 1)
        framework::DeleteTemporaryObjects();
    return lCount < 2;
}

int CWinApp::ExitInstance() {
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    const HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == main)
            return FALSE;
    }
    return m_pMainWnd && m_pMainWnd->PreTranslateMessage(pMsg);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const {
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
    return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const {
    return ::LoadCursorA(nullptr, lpszCursorName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
    // The box belongs to the window the user is working in, a dialog over the main window
    // included, so that it is the window the box disables and gives activation back to.
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    return ::MessageBoxA(owner, lpszText, g_app ? g_app->m_pszAppName : nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static std::mutex lock;
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, CString> names;
    const std::lock_guard guard(lock);
    const auto key = std::make_tuple(nClassStyle, hCursor, hbrBackground, hIcon);
    if (auto found = names.find(key); found != names.end())
        return found->second;

    CString name;
    name.Format("MullionWindow:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    WNDCLASSA wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    return names.emplace(key, name).first->second;
}

// The program's entry point: the application object was constructed before the program
// started; InitInstance creates the main window, Run runs until the main window is gone.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nShowCmd) {
    CWinApp* app = AfxGetApp();
    if (!app) {
        std::fprintf(stderr, "The program defines no application object.\n");
        return 1;
    }
    app->SetStartup(hInstance, lpCmdLine, nShowCmd);
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
