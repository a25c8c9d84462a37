// The fixture of the tests that run the line-drawing core inside its test application.
#pragma once

#include "paint_test_app.h"

#include <gtest/gtest.h>

#include <string>

class PaintAppTest : public ::testing::Test {
protected:
    CPaintTestApp m_app;
    CStepRunner m_steps;

    void SetUp() override { ASSERT_TRUE(m_app.InitInstance()); }

    void TearDown() override {
        if (Doc())
            Doc()->SetModifiedFlag(FALSE);
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        DrainQueue();
    }

    CPaintTestFrame* Frame() const { return dynamic_cast<CPaintTestFrame*>(m_app.m_pMainWnd); }
    CPaintView* View() const {
        return m_app.m_pMainWnd ? dynamic_cast<CPaintView*>(Frame()->GetActiveView()) : nullptr;
    }
    CPaintDoc* Doc() const { return View() ? View()->GetDocument() : nullptr; }

    // Sends the message, running the steps added so far inside the modal loop it opens.
    LRESULT SendRunningSteps(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (!m_steps.Done())
            m_steps.Start();
        const LRESULT result = pWnd->SendMessage(message, wParam, lParam);
        EXPECT_TRUE(m_steps.Done()) << "a step expected a modal loop that never ran";
        return result;
    }

    // The popup of the frame's menu bar at this position (0 File, 1 Width, 2 Color).
    CMenu* BarPopup(int nPos) const { return Frame()->GetMenu()->GetSubMenu(nPos); }

    // Lets the frame run the update handlers of a popup, as it does before the popup opens.
    void RunUpdateHandlers(CMenu* pPopup, int nPos) {
        Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->m_hMenu), nPos);
    }

    static bool IsChecked(CMenu* pMenu, UINT nID) {
        return (pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
};

// Mouse messages carry client coordinates in the low and high words of lParam.
inline LPARAM MousePoint(int x, int y) {
    return MAKELPARAM(WORD(short(x)), WORD(short(y)));
}
