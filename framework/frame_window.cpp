#include "frame_window.h"

#include "cmd_ui.h"
#include "document.h"
#include "command_ids.h"
#include "menu.h"
#include "message_thunks.h"
#include "status_bar.h"
#include "view.h"
#include "win_app.h"

#include <algorithm>
#include <mutex>

namespace {

const int kFrameIconResource = 31234;

// The first descendant (depth first) with this identifier.
HWND find_descendant(HWND parent, int nID) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == nID)
            return child;
        if (HWND found = find_descendant(child, nID))
            return found;
    }
    return nullptr;
}

// Runs the initial update of every view below parent, parents before their children.
void initial_update_descendants(HWND parent) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(child)))
            pView->OnInitialUpdate();
        initial_update_descendants(child);
    }
}

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

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() {
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    HMENU menu = nullptr;
    if (lpszMenuName)
        menu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    const bool use_default = CRect(rect) == rectDefault;
    const int x = use_default ? CW_USEDEFAULT : rect.left;
    const int y = use_default ? CW_USEDEFAULT : rect.top;
    const int width = use_default ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = use_default ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (lpszWindowName)
        m_strTitle = lpszWindowName;
    // The context reaches OnCreate as the creation parameter.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, width, height,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, pContext)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString strings;
    if (strings.LoadString(nIDResource)) {
        const int end = strings.Find('\n');
        m_strTitle = end < 0 ? strings : strings.Left(end);
    }
    LPCTSTR lpszClass = nullptr;
    if (HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)))
        lpszClass = AfxRegisterWndClass(
            CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon);
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;
    if (!m_hAccelTable)
        LoadAccelTable(nIDResource);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    // A view whose window could not be made has deleted itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID,
                       pContext))
        return nullptr;
    return pView;
}

CView* CFrameWnd::GetActiveView() const {
    if (!m_hWndViewActive || !::IsWindow(m_hWndViewActive))
        return nullptr;
    return dynamic_cast<CView*>(CWnd::FromHandlePermanent(m_hWndViewActive));
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = GetActiveView();
    if (pViewNew == pViewOld)
        return;
    m_hWndViewActive = pViewNew ? pViewNew->m_hWnd : nullptr;
    if (!bNotify)
        return;
    if (pViewOld)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = GetActiveView();
    if (!pView) {
        pView = dynamic_cast<CView*>(
            CWnd::FromHandlePermanent(find_descendant(m_hWnd, AFX_IDW_PANE_FIRST)));
        if (pView)
            SetActiveView(pView, FALSE);
    }
    if (bMakeVisible) {
        initial_update_descendants(m_hWnd);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == this) {
            // The show state of the command line applies to the first showing only.
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1)
        nCmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
    UpdateWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? static_cast<LPCTSTR>(pDoc->GetTitle())
                                                    : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
    CString title = m_strTitle;
    if (lpszDocName && *lpszDocName) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = CString(lpszDocName) + " - " + m_strTitle;
        else
            title = m_strTitle + " - " + lpszDocName;
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxFrameWindowClass();
    // The document's name comes first in the caption.
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    return m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) {
    if (CView* pView = GetActiveView(); pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
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

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (CView* pView = GetActiveView()) {
        pView->SetFocus();
        return;
    }
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::RecalcLayout() {
    CRect rcClient;
    GetClientRect(&rcClient);
    int bottom = rcClient.Height();
    if (CWnd* pBar = GetMessageBar(); pBar && pBar->IsWindowVisible()) {
        const auto* pStatusBar = dynamic_cast<const CStatusBar*>(pBar);
        CRect barRect;
        pBar->GetWindowRect(&barRect);
        const int height = pStatusBar ? pStatusBar->GetBarHeight() : barRect.Height();
        bottom = std::max(0, bottom - height);
        pBar->MoveWindow(0, bottom, rcClient.Width(), height);
    }
    if (HWND hWndView = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(hWndView, 0, 0, rcClient.Width(), bottom, TRUE);
}

CWnd* CFrameWnd::GetMessageBar() const {
    return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
    if (auto* pStatusBar = dynamic_cast<CStatusBar*>(GetMessageBar()))
        pStatusBar->SetPaneText(0, lpszText);
    else if (CWnd* pBar = GetMessageBar())
        pBar->SetWindowText(lpszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
    CString prompt = AfxLoadPrompt(nID);
    if (prompt.IsEmpty() && nID == IDS_IDLE_MESSAGE)
        prompt = "Ready";
    SetMessageText(prompt);
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT nItemID = LOWORD(wParam);
    const UINT nFlags = HIWORD(wParam);
    if (nFlags == 0xFFFF && lParam == 0)
        SetMessageText(IDS_IDLE_MESSAGE); // the menu closed
    else if (nFlags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText("");
    else
        SetMessageText(AfxLoadPrompt(nItemID));
    return Default();
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM) {
    SetMessageText(IDS_IDLE_MESSAGE);
    return Default();
}

void CFrameWnd::OnViewStatusBar() {
    CWnd* pBar = GetMessageBar();
    if (!pBar)
        return;
    pBar->ShowWindow(pBar->IsWindowVisible() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI* pCmdUI) {
    CWnd* pBar = GetMessageBar();
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar && pBar->IsWindowVisible() ? 1 : 0);
}

void CFrameWnd::OnClose() {
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        if (!pDocument && !pApp->SaveAllModified())
            return;
        // Closing the documents destroys their frames, this one included.
        pApp->CloseAllDocuments(FALSE);
        if (!pApp->m_pMainWnd)
            return;
    }
    if (pDocument)
        pDocument->PreCloseFrame(this);
    // The frame may be gone already when it was a frame of a closed document.
    if (m_hWnd)
        DestroyWindow();
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}
