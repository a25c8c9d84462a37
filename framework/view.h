// CView: a child window that shows something (a document, when there is one) by painting
// through OnDraw. A view created with a creation context joins the context's document. Views
// live on the heap and delete themselves once their window is destroyed.
#pragma once

#include "window.h"

class CDocument;
class CFrameWnd;
struct CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView() = default;
    // Leaves the document's list of views.
    ~CView() override;

    // The document the view shows; null for a view without one.
    CDocument* GetDocument() const { return m_pDocument; }
    // The frame window the view lies in (through splitters and other panes), or null.
    CFrameWnd* GetParentFrame() const;

    // Draws the view's contents on a device context OnPrepareDC has set up.
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets up the device context before drawing; the base does nothing.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Called before the view is first shown and after each New and Open; the base redraws the
    // view.
    virtual void OnInitialUpdate();
    // The document changed: the base redraws the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The frame made this view (bActivate) or another view the active one; the active view
    // takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    // A null class name means the framework's view class: double clicks, arrow cursor,
    // window-colour background, repainted whole on every resize.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Commands go to the view's map, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) override;

    // Joins the document of the creation context (CCreateContext in lpCreateParams).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();

protected:
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
