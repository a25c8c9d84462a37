// CEntryDialog run modally in this process: the fields it fills from its members, the limit of
// 32 characters, the refusal of a longer name with the framework's standard message while the
// dialog stays open, and the OK button that follows the name field.
#include "entry_dialog.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Messages the probe posts to itself, so that each step runs inside the dialog's modal loop.
const UINT WM_PROBE_STEP = WM_APP + 1;
const UINT WM_PROBE_READ_BOX = WM_APP + 2;

// The texts of a window's children.
std::vector<std::string> child_texts(HWND hWnd) {
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        ::GetWindowTextA(child, text, sizeof text);
        texts.emplace_back(text);
    }
    return texts;
}

// An entry dialog that runs one test step once it is up, then closes with Cancel. A message box
// opened meanwhile is read and answered with OK.
class CProbeDialog : public CEntryDialog {
public:
    std::function<void(CProbeDialog&)> m_step;
    std::vector<std::string> m_boxTexts;
    int m_nBoxes = 0;

    using CEntryDialog::m_okButton;

    BOOL OnInitDialog() override {
        const BOOL result = CEntryDialog::OnInitDialog();
        PostMessage(WM_PROBE_STEP);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PROBE_STEP) {
            s_probe = this;
            const HHOOK hook =
                ::SetWindowsHookExA(WH_CBT, &BoxHook, nullptr, ::GetCurrentThreadId());
            m_step(*this);
            ::UnhookWindowsHookEx(hook);
            s_probe = nullptr;
            EndDialog(IDCANCEL);
            return 0;
        }
        if (message == WM_PROBE_READ_BOX) {
            const auto box = reinterpret_cast<HWND>(wParam);
            ++m_nBoxes;
            m_boxTexts = child_texts(box);
            ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return 0;
        }
        return CEntryDialog::WindowProc(message, wParam, lParam);
    }

    CString ItemText(int nID) const {
        CString text;
        GetDlgItemText(nID, text);
        return text;
    }

private:
    // A new top-level window while the step runs is a message box: read it once its own loop
    // runs, from a message it dispatches.
    static LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
        const auto hWnd = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && s_probe && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            ::PostMessageA(s_probe->m_hWnd, WM_PROBE_READ_BOX, wParam, 0);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline CProbeDialog* s_probe = nullptr;
};

TEST(EntryDialogTest, FieldsStartFromTheMembersAndAreLimitedTo32Characters) {
    CProbeDialog dlg;
    dlg.m_strName = "Smith, Ann";
    dlg.m_strPhone = "555-0100";
    CString name, phone;
    UINT nameLimit = 0, phoneLimit = 0;
    dlg.m_step = [&](CProbeDialog& d) {
        name = d.ItemText(IDC_NAME);
        phone = d.ItemText(IDC_PHONE);
        nameLimit = static_cast<UINT>(d.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT));
        phoneLimit = static_cast<UINT>(d.SendDlgItemMessage(IDC_PHONE, EM_GETLIMITTEXT));
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_STREQ(name, "Smith, Ann");
    EXPECT_STREQ(phone, "555-0100");
    EXPECT_EQ(nameLimit, 32u);
    EXPECT_EQ(phoneLimit, 32u);
}

TEST(EntryDialogTest, NameOf33CharactersIsRefusedAndTheDialogStaysOpen) {
    const std::string longName(33, 'N');
    CProbeDialog dlg;
    BOOL saved = TRUE;
    BOOL stillOpen = FALSE;
    HWND focus = nullptr, nameField = nullptr;
    dlg.m_step = [&](CProbeDialog& d) {
        // Text set by the program is not held to the typing limit.
        d.SetDlgItemText(IDC_NAME, longName.c_str());
        saved = d.UpdateData(TRUE);
        stillOpen = ::IsWindow(d.m_hWnd);
        focus = ::GetFocus();
        nameField = ::GetDlgItem(d.m_hWnd, IDC_NAME);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.m_nBoxes, 1);
    EXPECT_NE(std::find(dlg.m_boxTexts.begin(), dlg.m_boxTexts.end(),
                        "Please enter no more than 32 characters."),
              dlg.m_boxTexts.end());
    EXPECT_EQ(focus, nameField) << "the refused field gets the focus";
}

TEST(EntryDialogTest, NameOf32CharactersIsAccepted) {
    const std::string name(32, 'N');
    CProbeDialog dlg;
    BOOL saved = FALSE;
    dlg.m_step = [&](CProbeDialog& d) {
        d.SetDlgItemText(IDC_NAME, name.c_str());
        d.SetDlgItemText(IDC_PHONE, "555-0100");
        saved = d.UpdateData(TRUE);
    };
    dlg.DoModal();
    EXPECT_TRUE(saved);
    EXPECT_EQ(dlg.m_nBoxes, 0);
    EXPECT_STREQ(dlg.m_strName, name.c_str());
    EXPECT_STREQ(dlg.m_strPhone, "555-0100");
}

TEST(EntryDialogTest, OkIsEnabledExactlyWhileTheNameHoldsText) {
    CProbeDialog dlg;
    std::vector<BOOL> enabled;
    dlg.m_step = [&](CProbeDialog& d) {
        enabled.push_back(d.m_okButton.IsWindowEnabled()); // empty at the start
        d.SetDlgItemText(IDC_NAME, "A");
        enabled.push_back(d.m_okButton.IsWindowEnabled());
        // The whole name selected still counts as a name.
        d.SendDlgItemMessage(IDC_NAME, EM_SETSEL, 0, -1);
        d.SendDlgItemMessage(IDC_NAME, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Bo"));
        d.SendDlgItemMessage(IDC_NAME, EM_SETSEL, 0, -1);
        d.SendDlgItemMessage(IDC_NAME, EM_UNDO);
        enabled.push_back(d.m_okButton.IsWindowEnabled());
        d.SetDlgItemText(IDC_NAME, "");
        enabled.push_back(d.m_okButton.IsWindowEnabled());
        // The phone field does not matter.
        d.SetDlgItemText(IDC_PHONE, "555");
        enabled.push_back(d.m_okButton.IsWindowEnabled());
    };
    dlg.DoModal();
    EXPECT_EQ(enabled, (std::vector<BOOL>{FALSE, TRUE, TRUE, FALSE, FALSE}));
}

TEST(EntryDialogTest, DialogOpenedOnAnEntryStartsWithOkEnabled) {
    CProbeDialog dlg;
    dlg.m_strName = "Lee";
    BOOL enabled = FALSE;
    dlg.m_step = [&](CProbeDialog& d) { enabled = d.m_okButton.IsWindowEnabled(); };
    dlg.DoModal();
    EXPECT_TRUE(enabled);
}

} // namespace
