// A single-document application on the line-drawing core for the tests: the frame forwards
// the owner-drawn colour items like the programs' frames and counts the requests.
#pragma once

#include "color_menu.h"
#include "paint_doc.h"
#include "paint_view.h"

#include <framework.h>

#include <deque>
#include <functional>
#include <string>

class CPaintTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPaintTestFrame)

public:
    int m_nMeasureRequests = 0;
    int m_nDrawRequests = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    DECLARE_MESSAGE_MAP()
};

class CPaintTestApp : public CWinApp {
public:
    CPaintTestApp() : CWinApp("PaintTest") {}
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

// Runs steps from inside whatever modal loop retrieves its posted message (a message box's,
// a tracked menu's); each step posts its successor before it runs.
class CStepRunner : public CWnd {
public:
    CStepRunner() { CreateEx(0, nullptr, "Steps", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr); }
    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    void Start() { PostMessage(kStep); }
    bool Done() const { return m_steps.empty(); }

protected:
    static constexpr UINT kStep = WM_USER + 78;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::deque<std::function<void()>> m_steps;
};

// A scratch file path on drive Z: and the same file's host path.
std::string ScratchHostPath(const std::string& name);
std::string ScratchWindowsPath(const std::string& name);
// Dispatches whatever the test left in this thread's queue.
void DrainQueue();
