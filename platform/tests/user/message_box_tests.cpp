// MessageBoxA driven by keys: the buttons each type shows, the default button, what Enter, Esc
// and mnemonics return, the owner disabled meanwhile, the caption and the centring.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using window_test::WindowTest;

constexpr UINT WM_DRIVE_BOX = WM_APP + 7;

// What the owner saw of the box while it ran, and the keys it typed into it.
struct BoxDriver {
    std::string caption;
    std::vector<std::pair<UINT, WPARAM>> keys;
    std::vector<std::string> buttons;
    std::string window_text;
    bool owner_enabled = true;
    RECT rect{};
};

BoxDriver* driver = nullptr;
HWND owner_window = nullptr;

BOOL CALLBACK collect_button(HWND child, LPARAM) {
    char class_name[16];
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Button") == 0) {
        char text[32];
        GetWindowTextA(child, text, sizeof text);
        driver->buttons.push_back(text);
    }
    return TRUE;
}

class MessageBoxTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner_window = CreateWindowExA(0, window_test::logging_class(), "Owner",
                                       WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                       nullptr, nullptr, nullptr);
        SetActiveWindow(owner_window);
        // The owner's procedure runs inside the box's modal loop when this message comes.
        window_test::set_hook(
            [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                if (hwnd != owner_window || message != WM_DRIVE_BOX)
                    return std::nullopt;
                HWND box = FindWindowA("#32770", driver->caption.c_str());
                if (!box)
                    return 0;
                driver->owner_enabled = IsWindowEnabled(owner_window) != FALSE;
                char text[64];
                GetWindowTextA(box, text, sizeof text);
                driver->window_text = text;
                GetWindowRect(box, &driver->rect);
                EnumChildWindows(box, collect_button, 0);
                for (const auto& [key_message, key] : driver->keys)
                    PostMessageA(GetFocus() ? GetFocus() : box, key_message, key, 0);
                return 0;
            });
    }

    int show(BoxDriver& box_driver, const char* text, UINT type) {
        driver = &box_driver;
        PostMessageA(owner_window, WM_DRIVE_BOX, 0, 0);
        return MessageBoxA(owner_window, text,
                           box_driver.caption.empty() ? nullptr : box_driver.caption.c_str(), type);
    }
};

TEST_F(MessageBoxTest, EachTypeShowsItsButtonsInOrder) {
    struct Case {
        UINT type;
        std::vector<std::string> buttons;
        WPARAM key;
        int result;
    };
    const std::vector<Case> cases = {
        {MB_OK, {"OK"}, VK_RETURN, IDOK},
        {MB_OKCANCEL, {"OK", "Cancel"}, VK_ESCAPE, IDCANCEL},
        {MB_ABORTRETRYIGNORE, {"&Abort", "&Retry", "&Ignore"}, VK_RETURN, IDABORT},
        {MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, VK_ESCAPE, IDCANCEL},
        {MB_YESNO, {"&Yes", "&No"}, VK_RETURN, IDYES},
        {MB_RETRYCANCEL, {"&Retry", "Cancel"}, VK_RETURN, IDRETRY},
    };
    for (const Case& c : cases) {
        BoxDriver box;
        box.caption = "Type " + std::to_string(c.type);
        box.keys = {{WM_KEYDOWN, c.key}};
        EXPECT_EQ(show(box, "Some text", c.type | MB_ICONQUESTION), c.result) << box.caption;
        EXPECT_EQ(box.buttons, c.buttons) << box.caption;
    }
}

TEST_F(MessageBoxTest, DefaultButtonAndMnemonicsDecideTheResult) {
    BoxDriver second;
    second.caption = "Second default";
    second.keys = {{WM_KEYDOWN, VK_RETURN}};
    EXPECT_EQ(show(second, "Save?", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);

    BoxDriver third;
    third.caption = "Third default";
    third.keys = {{WM_KEYDOWN, VK_RETURN}};
    EXPECT_EQ(show(third, "Failed", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3), IDIGNORE);

    BoxDriver letter;
    letter.caption = "Letter";
    letter.keys = {{WM_CHAR, 'r'}};
    EXPECT_EQ(show(letter, "Failed", MB_ABORTRETRYIGNORE), IDRETRY);
}

TEST_F(MessageBoxTest, EscapeOnlyCancelsWhenThereIsACancelOrALoneOk) {
    BoxDriver ok_only;
    ok_only.caption = "OK only";
    ok_only.keys = {{WM_KEYDOWN, VK_ESCAPE}};
    EXPECT_EQ(show(ok_only, "Done", MB_OK), IDOK);

    // Yes/No has no Cancel: Esc does nothing, then "n" answers.
    BoxDriver yes_no;
    yes_no.caption = "Yes no";
    yes_no.keys = {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 'n'}};
    EXPECT_EQ(show(yes_no, "Continue?", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, OwnerIsDisabledWhileTheBoxRunsAndTheBoxIsCentred) {
    BoxDriver box;
    box.caption = "Centred";
    box.keys = {{WM_KEYDOWN, VK_RETURN}};
    EXPECT_EQ(show(box, "A longer line of text for the box to hold", MB_OK | MB_ICONHAND), IDOK);
    EXPECT_FALSE(box.owner_enabled);
    EXPECT_TRUE(IsWindowEnabled(owner_window));
    EXPECT_EQ(GetActiveWindow(), owner_window);
    const int width = box.rect.right - box.rect.left;
    const int height = box.rect.bottom - box.rect.top;
    EXPECT_GT(width, 0);
    EXPECT_LE(width, GetSystemMetrics(SM_CXSCREEN) * 3 / 4 + 16);
    EXPECT_EQ(box.rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(box.rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST_F(MessageBoxTest, NullCaptionReadsError) {
    BoxDriver box;
    box.caption = "Error";
    box.keys = {{WM_KEYDOWN, VK_RETURN}};
    driver = &box;
    PostMessageA(owner_window, WM_DRIVE_BOX, 0, 0);
    EXPECT_EQ(MessageBoxA(owner_window, "Oops", nullptr, MB_OK), IDOK);
    EXPECT_EQ(box.window_text, "Error");
}

} // namespace
