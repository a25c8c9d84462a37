// The message loop of CWinApp::Run and its idle counting, driven by thread messages.
#include "framework.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace {

const UINT kFirstMessage = WM_USER + 1;
const UINT kSecondMessage = WM_USER + 2;

// Records every idle call and every message retrieved. It posts a message to itself at idle
// count 1 of the first idle phase; whenever OnIdle returns FALSE it lets the loop block: the
// first time a helper thread then posts the second message, the second time the quit message
// is posted with exit code 7.
class CIdleRecordingApp : public CWinApp {
public:
    std::string m_trace;
    DWORD m_threadId = ::GetCurrentThreadId();

    BOOL OnIdle(LONG lCount) override {
        m_trace += std::to_string(lCount) + " ";
        CWinApp::OnIdle(lCount);
        if (!m_bPostedFirst && lCount == 1) {
            m_bPostedFirst = true;
            ::PostThreadMessageA(m_threadId, kFirstMessage, 0, 0);
            return TRUE;
        }
        if (lCount < 3)
            return TRUE;
        if (++m_nStops == 1) {
            const std::lock_guard guard(m_lock);
            m_bLetHelperPost = true;
            m_wake.notify_one();
        } else {
            ::PostQuitMessage(7);
        }
        return FALSE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override {
        m_trace += "M" + std::to_string(pMsg->message - WM_USER) + " ";
        return TRUE;
    }

    // Posts the second message once the first idle phase has ended.
    void HelperThread() {
        std::unique_lock lock(m_lock);
        m_wake.wait(lock, [this] { return m_bLetHelperPost; });
        ::PostThreadMessageA(m_threadId, kSecondMessage, 0, 0);
    }

private:
    bool m_bPostedFirst = false;
    int m_nStops = 0;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_bLetHelperPost = false;
};

TEST(AppRunTest, IdleCountRestartsAfterEachMessageAndStopsWhenOnIdleDeclines) {
    CIdleRecordingApp app;
    std::thread helper(&CIdleRecordingApp::HelperThread, &app);
    const int exitCode = app.Run();
    helper.join();

    // Idle counts 0 and 1, the first message, a new phase from 0 until OnIdle declines at 3;
    // no idle call while blocked; the second message, a phase until 3 again, then WM_QUIT.
    EXPECT_EQ("0 1 M1 0 1 2 3 M2 0 1 2 3 ", app.m_trace);
    EXPECT_EQ(7, exitCode) << "the exit code is WM_QUIT's wParam";
    EXPECT_EQ(WM_QUIT, app.m_msgCur.message);
}

TEST(AppRunTest, BaseOnIdleWantsCallsForTheFrameworkCountsOnly) {
    CWinApp app;
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(app.OnIdle(1));
    EXPECT_FALSE(app.OnIdle(2));
    EXPECT_FALSE(app.OnIdle(3));
}

TEST(AppRunTest, ApplicationObjectIsTheCurrentOneWhileItExists) {
    {
        CWinApp app("Named");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ("Named", app.m_pszAppName);
        EXPECT_EQ(nullptr, AfxGetMainWnd());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

} // namespace
