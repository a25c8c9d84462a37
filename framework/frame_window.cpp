#include "frame_window.h"

#include "cmd_ui.h"
#include "menu.h"
#include "message_thunks.h"
#include "win_app.h"

#include <mutex>

namespace {

const int kFrameIconResource = 31234;

} // namespace

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

LPCTSTR AfxFrameWindowClass() {
    static const char name[] = "MullionFrameWindow";
    static std::once_flag registered;
    std::call_once(registered, [] {
        const HINSTANCE instance = AfxGetInstanceHandle();
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = instance;
        wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kFrameIconResource));
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    });
    return name;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_INITMENUPOPUP()
ON_WM_CLOSE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() {
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext*) {
    HMENU menu = nullptr;
    if (lpszMenuName)
        menu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    const bool use_default = CRect(rect) == rectDefault;
    const int x = use_default ? CW_USEDEFAULT : rect.left;
    const int y = use_default ? CW_USEDEFAULT : rect.top;
    const int width = use_default ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = use_default ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, width, height,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, menu)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxFrameWindowClass();
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    return m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        // Separators (0) and submenus (-1) carry no command.
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;
        state.DoUpdate(this, TRUE);
    }
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    HWND hWndView = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (!hWndView)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    ::MoveWindow(hWndView, 0, 0, rcClient.Width(), rcClient.Height(), TRUE);
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}
