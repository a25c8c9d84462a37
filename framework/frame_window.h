// CFrameWnd: a top-level frame window with a menu bar and accelerators. A frame made by a
// document template (LoadFrame) holds the views of a document, routes commands to the active
// view and its document before itself, and shows the document's title in its caption. Frames
// live on the heap and delete themselves once their window is destroyed.
#pragma once

#include "create_context.h"
#include "window.h"

class CCmdUI;
class CDocument;
class CView;

// Frame styles (the low word of the window style): add the active document's title to the
// caption, in front of the frame's own title ("Untitled - AppName").
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// The child window identifier of the view a frame lays out over its client area.
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

// The style of the views a frame creates.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    // CW_USEDEFAULT for position and size.
    static const CRect rectDefault;

    CFrameWnd() = default;
    ~CFrameWnd() override;

    // A null class name means the framework's default frame class ("MullionFrameWindow":
    // redrawn on every resize, double clicks, arrow cursor, window-colour background, and icon
    // resource 31234 of the program when it has one). lpszMenuName names a menu resource. With
    // a creation context the frame creates its view (OnCreateClient).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    // Creates the frame from the resources with identifier nIDResource: the title is the first
    // part of that string resource, the menu and accelerators those resources, the class icon
    // that icon when the program has one.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    BOOL LoadAccelTable(UINT nIDResource) { return LoadAccelTable(MAKEINTRESOURCEA(nIDResource)); }

    // Views.
    CView* GetActiveView() const;
    // The active view gets the commands first; bNotify tells both views of the change.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument();
    // Creates a view of pContext's view class as a child with identifier nID.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the pane the active view, runs every view's initial update and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame; -1 means restored or normal, as it needs.
    virtual void ActivateFrame(int nCmdShow = -1);

    // Caption.
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the active view (and its document), then the frame's own map, then the
    // application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) override;

    // Creates the client area's contents; the base creates the context's view.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Runs the update handlers of the popup's items; items without any handler are disabled.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // Asks the document whether it may close; closing the main frame closes every document.
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The focus goes on to the active view.
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // Menu prompts: the string resource of the item under the mouse, in the status bar.
    afx_msg LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    // ID_VIEW_STATUS_BAR shows or hides the status bar.
    afx_msg void OnViewStatusBar();
    afx_msg void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    // Lays out the status bar (the child AFX_IDW_STATUS_BAR, when visible) along the bottom and
    // the view (the child with the first-pane id) over the rest of the client area.
    virtual void RecalcLayout();

    // The status bar, or null.
    CWnd* GetMessageBar() const;
    // Shows a message, or the prompt of a string resource, in the status bar's first pane.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

protected:
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;
    UINT m_nIDHelp = 0;
    HWND m_hWndViewActive = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The name of the default frame class, registered on first use.
LPCTSTR AfxFrameWindowClass();
