// Dialogs created from the test program's templates: placement in dialog units, the modal loop
// (owner disabled and given back, Enter, Esc, closing, EndDialog during WM_INITDIALOG,
// WM_QUIT), and the keyboard interface (tab order, groups, mnemonics, the default button).
#include "user/resource.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

using window_test::WindowTest;

constexpr UINT WM_TEST_STEP = WM_APP + 1;

// The documented formula: the average width of the 52 letters, rounded, and the font height.
SIZE base_units_of_font(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

SIZE base_units_of(LPCSTR face, int points) {
    HFONT font = CreateFontA(-MulDiv(points, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    const SIZE units = base_units_of_font(font);
    DeleteObject(font);
    return units;
}

// Everything a dialog procedure saw, for the tests to look at afterwards.
struct DialogRecord {
    std::vector<UINT> messages;
    std::vector<WPARAM> commands;
    HWND dialog = nullptr;
    HWND owner = nullptr;
    bool owner_enabled_while_running = true;
    bool shown = false;
    // What WM_INITDIALOG does: post these keys to the focus, or end the dialog at once.
    std::vector<std::pair<UINT, WPARAM>> keys;
    bool end_in_init = false;
    bool post_close = false;
    bool post_quit = false;
};

DialogRecord* record_of(HWND dialog) {
    return reinterpret_cast<DialogRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK recording_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<DialogRecord*>(lparam);
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        record->dialog = dialog;
        record->messages.push_back(message);
        if (record->end_in_init) {
            EndDialog(dialog, 42);
            return TRUE;
        }
        PostMessageA(dialog, WM_TEST_STEP, 0, 0);
        return TRUE;
    }
    DialogRecord* record = record_of(dialog);
    if (!record)
        return FALSE;
    record->messages.push_back(message);
    switch (message) {
    case WM_SHOWWINDOW:
        record->shown = record->shown || wparam;
        return FALSE;
    case WM_TEST_STEP:
        // Runs inside the modal loop, once the dialog is up.
        if (record->owner)
            record->owner_enabled_while_running = IsWindowEnabled(record->owner) != FALSE;
        if (record->post_close)
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (record->post_quit)
            PostQuitMessage(7);
        for (const auto& [key_message, key] : record->keys)
            PostMessageA(GetFocus() ? GetFocus() : dialog, key_message, key, 0);
        return TRUE;
    case WM_COMMAND:
        record->commands.push_back(wparam);
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK field_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

class DialogTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WNDCLASSA field{};
        field.lpfnWndProc = field_proc;
        field.lpszClassName = "TestField";
        if (!GetClassInfoA(nullptr, "TestField", &field))
            RegisterClassA(&field);
        WNDCLASSA custom = field;
        custom.lpszClassName = "CustomClass";
        if (!GetClassInfoA(nullptr, "CustomClass", &custom))
            RegisterClassA(&custom);
    }

    HWND create_owner() {
        HWND owner = CreateWindowExA(0, window_test::logging_class(), "Owner",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300, nullptr,
                                     nullptr, nullptr, nullptr);
        SetActiveWindow(owner);
        return owner;
    }

    INT_PTR run(int template_id, DialogRecord& record, HWND parent = nullptr) {
        record.owner = parent;
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id), parent,
                               recording_proc, reinterpret_cast<LPARAM>(&record));
    }

    // Modeless dialogs outlive the test body (the fixture destroys them), so their records
    // live in the fixture.
    DialogRecord& new_record() { return m_records.emplace_back(); }

    HWND modeless(int template_id, DialogRecord& record) {
        HWND dialog =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id), nullptr,
                               recording_proc, reinterpret_cast<LPARAM>(&record));
        window_test::pump_messages();
        return dialog;
    }

private:
    std::list<DialogRecord> m_records;
};

TEST_F(DialogTest, BaseUnitsComeFromTheDialogFont) {
    DialogRecord& record = new_record();
    HWND dialog = modeless(IDD_BUTTONS, record);
    ASSERT_NE(dialog, nullptr);
    const SIZE units = base_units_of("MS Sans Serif", 8);
    RECT rect{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(dialog, &rect));
    EXPECT_EQ(rect.right, units.cx);
    EXPECT_EQ(rect.bottom, units.cy);

    // The template's size is the client area's.
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, MulDiv(200, units.cx, 4));
    EXPECT_EQ(client.bottom, MulDiv(120, units.cy, 8));

    // Controls sit at their template positions in the client area.
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr);
    RECT ok_rect;
    GetWindowRect(ok, &ok_rect);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(ok_rect.left - origin.x, MulDiv(80, units.cx, 4));
    EXPECT_EQ(ok_rect.top - origin.y, MulDiv(95, units.cy, 8));
    EXPECT_EQ(ok_rect.right - ok_rect.left, MulDiv(50, units.cx, 4));
    EXPECT_EQ(ok_rect.bottom - ok_rect.top, MulDiv(14, units.cy, 8));

    const SIZE system = base_units_of_font(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(system.cx, system.cy));
}

TEST_F(DialogTest, TemplatePositionIsRelativeToTheScreenWithoutOwner) {
    // The template sits at (10, 20) dialog units and its client area starts there.
    DialogRecord& record = new_record();
    HWND dialog = modeless(IDD_BUTTONS, record);
    ASSERT_NE(dialog, nullptr);
    const SIZE units = base_units_of("MS Sans Serif", 8);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(origin.x, MulDiv(10, units.cx, 4));
    EXPECT_EQ(origin.y, MulDiv(20, units.cy, 8));
    EXPECT_EQ(GetWindowTextLengthA(dialog), 7);
    char class_name[16];
    GetClassNameA(dialog, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "#32770");
}

TEST_F(DialogTest, CenteredDialogIsCentredOnTheScreenAndShownWhenVisible) {
    DialogRecord& record = new_record();
    HWND dialog = modeless(IDD_CENTERED, record);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    RECT rect;
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerAndGivesActivationBack) {
    HWND owner = create_owner();
    DialogRecord record;
    record.keys = {{WM_KEYDOWN, VK_RETURN}};
    EXPECT_EQ(run(IDD_EXTENDED, record, owner), IDOK);
    EXPECT_FALSE(record.owner_enabled_while_running);
    EXPECT_TRUE(record.shown);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_FALSE(IsWindow(record.dialog));
}

TEST_F(DialogTest, EnterEscapeAndCloseEndTheModalLoop) {
    HWND owner = create_owner();
    {
        DialogRecord record;
        record.keys = {{WM_KEYDOWN, VK_RETURN}};
        EXPECT_EQ(run(IDD_EXTENDED, record, owner), IDOK);
        ASSERT_FALSE(record.commands.empty());
        EXPECT_EQ(record.commands.back(), MAKEWPARAM(IDOK, BN_CLICKED));
    }
    {
        DialogRecord record;
        record.keys = {{WM_KEYDOWN, VK_ESCAPE}};
        EXPECT_EQ(run(IDD_EXTENDED, record, owner), IDCANCEL);
    }
    {
        DialogRecord record;
        record.post_close = true;
        EXPECT_EQ(run(IDD_EXTENDED, record, owner), IDCANCEL);
        ASSERT_FALSE(record.commands.empty());
        EXPECT_EQ(LOWORD(record.commands.back()), IDCANCEL);
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, EndDialogDuringInitDialogNeverShowsTheDialog) {
    HWND owner = create_owner();
    DialogRecord record;
    record.end_in_init = true;
    EXPECT_EQ(run(IDD_EXTENDED, record, owner), 42);
    EXPECT_FALSE(record.shown);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(record.dialog));
}

TEST_F(DialogTest, QuitMessageEndsTheModalLoopAndIsPostedAgain) {
    DialogRecord record;
    record.post_quit = true;
    run(IDD_EXTENDED, record);
    EXPECT_FALSE(IsWindow(record.dialog));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(DialogTest, DefaultButtonIdAndMissingTemplates) {
    DialogRecord& record = new_record();
    HWND dialog = modeless(IDD_BUTTONS, record);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    SendMessageA(dialog, DM_SETDEFID, IDC_PUSH, 0);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDC_PUSH, DC_HASDEFID));
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PUSH, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
              DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDOK, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON,
              DLGC_UNDEFPUSHBUTTON);

    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr,
                              recording_proc, 0),
              -1);
}

class DialogKeyboardTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        dialog = modeless(IDD_BUTTONS, new_record());
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        SetActiveWindow(dialog);
    }
    HWND item(int id) { return GetDlgItem(dialog, id); }
    // Feeds a keyboard message to the dialog manager as the modal loop would.
    BOOL key(UINT message, WPARAM key_code) {
        MSG msg{GetFocus() ? GetFocus() : dialog, message, key_code, 0, 0, {0, 0}};
        const BOOL handled = IsDialogMessageA(dialog, &msg);
        window_test::pump_messages();
        return handled;
    }

    DialogRecord& record() { return *record_of(dialog); }
    HWND dialog = nullptr;
};

TEST_F(DialogKeyboardTest, TabOrderFollowsTheTemplateAndWraps) {
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_RADIO1), FALSE), item(IDC_CHECK));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_CHECK), FALSE), item(IDC_EDIT));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_EDIT), FALSE), item(IDC_PUSH));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDCANCEL), FALSE), item(IDC_RADIO1));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_RADIO1), TRUE), item(IDCANCEL));
    // Disabled controls are skipped.
    EnableWindow(item(IDC_CHECK), FALSE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_RADIO1), FALSE), item(IDC_EDIT));
    EnableWindow(item(IDC_CHECK), TRUE);

    SetFocus(item(IDC_RADIO1));
    EXPECT_TRUE(key(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(GetFocus(), item(IDC_CHECK));
}

TEST_F(DialogKeyboardTest, GroupsRunBetweenWsGroupControls) {
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(IDC_RADIO1), FALSE), item(IDC_RADIO2));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(IDC_RADIO3), FALSE), item(IDC_RADIO1));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(IDC_RADIO1), TRUE), item(IDC_RADIO3));
    // The check box is alone in its group: the label after it starts another.
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(IDC_CHECK), FALSE), item(IDC_CHECK));
}

TEST_F(DialogKeyboardTest, ArrowKeysMoveThroughARadioGroupCheckingAsTheyGo) {
    SetFocus(item(IDC_RADIO1));
    EXPECT_TRUE(key(WM_KEYDOWN, VK_DOWN));
    EXPECT_EQ(GetFocus(), item(IDC_RADIO2));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO2), BST_CHECKED);
    EXPECT_TRUE(key(WM_KEYDOWN, VK_DOWN));
    EXPECT_EQ(GetFocus(), item(IDC_RADIO3));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO3), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO2), BST_UNCHECKED);
    EXPECT_TRUE(key(WM_KEYDOWN, VK_UP));
    EXPECT_EQ(GetFocus(), item(IDC_RADIO2));
}

TEST_F(DialogKeyboardTest, MnemonicsClickButtonsAndLabelsFocusTheirControl) {
    SetFocus(item(IDC_PUSH));
    // "&Green": the radio button gets the focus and is checked.
    EXPECT_TRUE(key(WM_CHAR, 'g'));
    EXPECT_EQ(GetFocus(), item(IDC_RADIO2));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO2), BST_CHECKED);
    // Alt+T: the label "&Text:" hands the focus to the control after it.
    EXPECT_TRUE(key(WM_SYSCHAR, 'T'));
    EXPECT_EQ(GetFocus(), item(IDC_EDIT));
    // "&Push" is clicked: the dialog hears its BN_CLICKED.
    record().commands.clear();
    EXPECT_TRUE(key(WM_CHAR, 'p'));
    ASSERT_FALSE(record().commands.empty());
    EXPECT_EQ(record().commands.back(), MAKEWPARAM(IDC_PUSH, BN_CLICKED));
}

TEST_F(DialogKeyboardTest, DefaultFrameFollowsTheFocusedPushButton) {
    SetFocus(item(IDC_RADIO1));
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_PUSH)), TRUE);
    EXPECT_EQ(GetFocus(), item(IDC_PUSH));
    EXPECT_EQ(GetWindowLongA(item(IDC_PUSH), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    // Enter presses the focused push button.
    record().commands.clear();
    EXPECT_TRUE(key(WM_KEYDOWN, VK_RETURN));
    ASSERT_FALSE(record().commands.empty());
    EXPECT_EQ(LOWORD(record().commands.back()), IDC_PUSH);
    // Away from push buttons, the default button wears the frame again.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_CHECK)), TRUE);
    EXPECT_EQ(GetWindowLongA(item(IDC_PUSH), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(DialogKeyboardTest, ItemHelpersReadAndWriteControls) {
    EXPECT_TRUE(SetDlgItemInt(dialog, IDC_LABEL, UINT(-123), TRUE));
    char text[32];
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_LABEL, text, sizeof text), 4u);
    EXPECT_STREQ(text, "-123");
    BOOL translated = FALSE;
    EXPECT_EQ(int(GetDlgItemInt(dialog, IDC_LABEL, &translated, TRUE)), -123);
    EXPECT_TRUE(translated);
    GetDlgItemInt(dialog, IDC_LABEL, &translated, FALSE);
    EXPECT_FALSE(translated);
    SetDlgItemTextA(dialog, IDC_LABEL, " 42x");
    GetDlgItemInt(dialog, IDC_LABEL, &translated, FALSE);
    EXPECT_FALSE(translated);

    EXPECT_TRUE(CheckRadioButton(dialog, IDC_RADIO1, IDC_RADIO3, IDC_RADIO3));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO1), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO3), BST_CHECKED);
    EXPECT_TRUE(CheckDlgButton(dialog, IDC_CHECK, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHECK), BST_CHECKED);
    EXPECT_EQ(GetDlgItem(dialog, 4242), nullptr);
}

} // namespace
