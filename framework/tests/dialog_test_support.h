// Support for the dialog tests: a dialog that exchanges every control of the test template, and
// a runner of steps that drives nested modal loops.
//
// The runner's steps each run from whatever message loop is current when the step's posted
// message is retrieved (a modal dialog's, a message box's); the next step is posted before a
// step runs, so a step that opens a modal loop finds its successor inside it.
#pragma once

#include "framework.h"
#include "framework_tests.h"

#include <climits>
#include <deque>
#include <functional>
#include <string>

// Exchanges every control of the test template; the number is signed or unsigned and range
// checked, the text optionally length checked. The check box comes last, so a refused number
// shows whether the steps after it ran.
class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() = default;
    // For modal runs of the exchange template.
    explicit CExchangeDialog(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    int m_nChoice = 0;
    CString m_strText;
    int m_nMaxChars = -1; // no length check
    bool m_bUnsigned = false;
    int m_nNumber = 0;
    int m_nMin = INT_MIN;
    int m_nMax = INT_MAX;
    UINT m_uNumber = 0;
    UINT m_uMin = 0;
    UINT m_uMax = UINT_MAX;
    BOOL m_bCheck = FALSE;

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_nChoice);
        DDX_Text(pDX, IDC_TEXT, m_strText);
        if (m_nMaxChars >= 0)
            DDV_MaxChars(pDX, m_strText, m_nMaxChars);
        if (m_bUnsigned) {
            DDX_Text(pDX, IDC_NUMBER, m_uNumber);
            DDV_MinMaxUInt(pDX, m_uNumber, m_uMin, m_uMax);
        } else {
            DDX_Text(pDX, IDC_NUMBER, m_nNumber);
            DDV_MinMaxInt(pDX, m_nNumber, m_nMin, m_nMax);
        }
        DDX_Check(pDX, IDC_CHECK, m_bCheck);
    }
};

class CStepRunner : public CWnd {
public:
    CStepRunner() { CreateEx(0, nullptr, "Steps", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr); }

    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    // Posts the first step; it runs once a message loop retrieves it.
    void Start() { PostMessage(kStep); }
    bool Done() const { return m_steps.empty(); }

protected:
    static constexpr UINT kStep = WM_USER + 77;
    std::deque<std::function<void()>> m_steps;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kStep)
            return CWnd::WindowProc(message, wParam, lParam);
        if (m_steps.empty())
            return 0;
        auto step = std::move(m_steps.front());
        m_steps.pop_front();
        if (!m_steps.empty())
            PostMessage(kStep);
        step();
        return 0;
    }
};

// What a message box showed, read from its window while it is open.
struct MessageBoxSeen {
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    bool hasIcon = false;
};

// Reads the active message box and closes it with its OK button; an empty text when the
// active window is no message box.
inline MessageBoxSeen AcknowledgeMessageBox() {
    MessageBoxSeen seen;
    const HWND box = ::GetActiveWindow();
    if (!::GetDlgItem(box, 0xFFFE))
        return seen; // no message box is open
    char buffer[256] = {};
    ::GetDlgItemTextA(box, 0xFFFE, buffer, sizeof buffer);
    seen.text = buffer;
    ::GetWindowTextA(box, buffer, sizeof buffer);
    seen.caption = buffer;
    seen.owner = ::GetWindow(box, GW_OWNER);
    seen.hasIcon = ::GetDlgItem(box, 0xFFFF) != nullptr;
    ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    return seen;
}

// Clicks a dialog's button as the button itself reports a click.
inline void PressDialogButton(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Removes what a test left in this thread's queue.
inline void DrainDialogTestQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
    }
}
