// CView: a child window that shows something (a document, when there is one) by painting
// through OnDraw. Views live on the heap and delete themselves once their window is destroyed.
#pragma once

#include "window.h"

class CDocument;
struct CPrintInfo;

class CView : public CWnd {
public:
    CView() = default;

    // The document the view shows; null for a view without one.
    CDocument* GetDocument() const { return m_pDocument; }

    // Draws the view's contents on a device context OnPrepareDC has set up.
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets up the device context before drawing; the base does nothing.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Called once before the view is first shown; the base redraws the view.
    virtual void OnInitialUpdate();
    // The document changed: the base redraws the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

    // A null class name means the framework's view class: double clicks, arrow cursor,
    // window-colour background, repainted whole on every resize.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnPaint();

protected:
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
};
