// CFrameWnd: a top-level frame window with a menu bar and accelerators. Frames live on the heap
// and delete themselves once their window is destroyed.
#pragma once

#include "window.h"

class CFrameWnd : public CWnd {
public:
    // CW_USEDEFAULT for position and size.
    static const CRect rectDefault;

    CFrameWnd() = default;
    ~CFrameWnd() override;

    // A null class name means the framework's default frame class ("MullionFrameWindow":
    // redrawn on every resize, double clicks, arrow cursor, window-colour background, and icon
    // resource 31234 of the program when it has one). lpszMenuName names a menu resource.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);

    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    BOOL LoadAccelTable(UINT nIDResource) { return LoadAccelTable(MAKEINTRESOURCEA(nIDResource)); }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the frame's own map, then to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) override;

    // Runs the update handlers of the popup's items; items without any handler are disabled.
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnClose();
    // Keeps the view (the child with the first-pane id) sized to the whole client area.
    void OnSize(UINT nType, int cx, int cy);
    virtual void RecalcLayout();

protected:
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The child window identifier of the view a frame lays out over its client area.
#define AFX_IDW_PANE_FIRST 0xE900

// The name of the default frame class, registered on first use.
LPCTSTR AfxFrameWindowClass();
