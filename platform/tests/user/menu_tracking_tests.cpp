// Menu tracking from the keyboard: Alt, F10, Alt+letter, arrows, Enter, Esc, mnemonics,
// WM_MENUCHAR, the system menu and TrackPopupMenu; which notifications reach the owner and
// in what order.
#include "menu_test_window.h"

#include <gtest/gtest.h>

namespace mullion {
namespace {

using testing::MenuTestWindow;

enum : UINT { IdNew = 100, IdOpen = 101, IdExit = 102, IdUndo = 200, IdPaste = 201 };

// "&File" { "&New", "&Open" (grayed), separator, "E&xit" }, "&Edit" { "&Undo", "&Paste" }.
HMENU sample_menu_bar() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, IdNew, "&New\tCtrl+N");
    AppendMenuA(file, MF_STRING | MF_GRAYED, IdOpen, "&Open...");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, IdExit, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, IdUndo, "&Undo");
    AppendMenuA(edit, MF_STRING, IdPaste, "&Paste");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(edit), "&Edit");
    return bar;
}

class MenuKeyboard : public ::testing::Test {
protected:
    MenuKeyboard() : window(sample_menu_bar()) {}
    void run() {
        window.post_safety_exit();
        MenuTestWindow::pump();
    }
    HMENU bar() const { return GetMenu(window.hwnd); }
    MenuTestWindow window;
};

TEST_F(MenuKeyboard, AltThenArrowsSkipSeparatorAndEnterChooses) {
    ASSERT_NE(bar(), nullptr);
    window.post_alt_tap();      // File selected on the bar
    window.post_key(VK_DOWN);   // File opens, New selected
    window.post_key(VK_DOWN);   // Open (grayed, still selectable)
    window.post_key(VK_DOWN);   // the separator is skipped: Exit
    window.post_key(VK_RETURN); // chooses Exit
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdExit});
    auto command = window.messages_of(WM_COMMAND);
    ASSERT_EQ(command.size(), 1u);
    EXPECT_EQ(HIWORD(command[0].wparam), 0) << "menu commands carry 0 in the high word";
    EXPECT_EQ(command[0].lparam, 0);
}

TEST_F(MenuKeyboard, GrayedItemIsSelectableButNotChosen) {
    window.post_alt_tap();
    window.post_key(VK_DOWN);
    window.post_key(VK_DOWN);   // Open, grayed
    window.post_key(VK_RETURN); // nothing happens
    window.post_key(VK_ESCAPE); // closes the popup
    window.post_key(VK_ESCAPE); // leaves the bar
    run();
    EXPECT_TRUE(window.commands().empty());
    EXPECT_EQ(window.messages_of(WM_EXITMENULOOP).size(), 1u);
}

TEST_F(MenuKeyboard, UpWrapsToTheLastItem) {
    window.post_alt_tap();
    window.post_key(VK_DOWN); // New
    window.post_key(VK_UP);   // wraps to Exit
    window.post_key(VK_RETURN);
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdExit});
}

TEST_F(MenuKeyboard, NotificationsArriveInOrderAndBeforeThePopupShows) {
    window.post_alt_tap();
    window.post_key(VK_DOWN);
    window.post_key(VK_RETURN); // New
    run();
    std::vector<UINT> sequence = window.sequence();
    std::vector<UINT> expected = {WM_SYSCOMMAND,    WM_ENTERMENULOOP, WM_INITMENU,
                                  WM_INITMENUPOPUP, WM_EXITMENULOOP,  WM_COMMAND};
    EXPECT_EQ(sequence, expected);
    auto init_menu = window.messages_of(WM_INITMENU);
    ASSERT_EQ(init_menu.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_menu[0].wparam), bar());
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[0].wparam), GetSubMenu(bar(), 0));
    EXPECT_EQ(LOWORD(init_popup[0].lparam), 0) << "position of File on the bar";
    EXPECT_EQ(HIWORD(init_popup[0].lparam), 0) << "not the system menu";
    EXPECT_FALSE(init_popup[0].popup_menu_visible);
    auto syscommand = window.messages_of(WM_SYSCOMMAND);
    ASSERT_EQ(syscommand.size(), 1u);
    EXPECT_EQ(syscommand[0].wparam & 0xFFF0, WPARAM(SC_KEYMENU));
    EXPECT_EQ(syscommand[0].lparam, 0) << "Alt alone";
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdNew});
}

TEST_F(MenuKeyboard, RightMovesToTheNextPopupWhichOpensWithItsFirstItem) {
    window.post_alt_tap();
    window.post_key(VK_DOWN);  // File open
    window.post_key(VK_RIGHT); // Edit open, Undo selected
    window.post_key(VK_DOWN);  // Paste
    window.post_key(VK_RETURN);
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdPaste});
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 2u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[1].wparam), GetSubMenu(bar(), 1));
    EXPECT_EQ(LOWORD(init_popup[1].lparam), 1);
}

TEST_F(MenuKeyboard, AltLetterOpensPopupAndMnemonicChooses) {
    window.post_alt_char('e'); // opens Edit
    window.post_char('p');     // Paste
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdPaste});
    auto syscommand = window.messages_of(WM_SYSCOMMAND);
    ASSERT_EQ(syscommand.size(), 1u);
    EXPECT_EQ(syscommand[0].lparam, LPARAM('e'));
}

TEST_F(MenuKeyboard, MnemonicOfGrayedItemDoesNotChoose) {
    window.post_alt_char('f');
    window.post_char('o'); // Open is grayed
    window.post_key(VK_ESCAPE);
    window.post_key(VK_ESCAPE);
    run();
    EXPECT_TRUE(window.commands().empty());
}

TEST_F(MenuKeyboard, UnknownMnemonicAsksTheOwnerWithMenuChar) {
    window.menu_char_answer = MAKELRESULT(3, MNC_EXECUTE); // Exit, by position
    window.post_alt_char('f');
    window.post_char('q');
    run();
    auto menu_char = window.messages_of(WM_MENUCHAR);
    ASSERT_EQ(menu_char.size(), 1u);
    EXPECT_EQ(LOWORD(menu_char[0].wparam), 'q');
    EXPECT_EQ(HIWORD(menu_char[0].wparam) & MF_POPUP, UINT(MF_POPUP));
    EXPECT_EQ(reinterpret_cast<HMENU>(menu_char[0].lparam), GetSubMenu(bar(), 0));
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdExit});
}

TEST_F(MenuKeyboard, F10EntersMenuModeLikeAlt) {
    window.post_key(VK_F10);
    window.post_key(VK_RETURN); // opens File with New selected
    window.post_key(VK_RETURN); // New
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdNew});
}

TEST_F(MenuKeyboard, EscapeClosesOneLevelAtATime) {
    window.post_alt_tap();
    window.post_key(VK_DOWN);   // File open
    window.post_key(VK_ESCAPE); // back to the bar, File still selected
    window.post_key(VK_RIGHT);  // Edit selected, not open
    window.post_key(VK_DOWN);   // Edit opens: Undo
    window.post_key(VK_RETURN);
    run();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdUndo});
}

TEST_F(MenuKeyboard, AltSpaceOpensTheSystemMenuAndChoosingPostsSysCommand) {
    window.post_alt_char(' ');
    window.post_char('c'); // &Close
    run();
    EXPECT_TRUE(window.commands().empty());
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[0].wparam), GetSystemMenu(window.hwnd, FALSE));
    EXPECT_EQ(HIWORD(init_popup[0].lparam), 1) << "the system menu";
    std::vector<WPARAM> system_commands;
    for (const auto& record : window.messages_of(WM_SYSCOMMAND))
        system_commands.push_back(record.wparam & 0xFFF0);
    EXPECT_EQ(system_commands, (std::vector<WPARAM>{SC_KEYMENU, SC_CLOSE}));
    // SC_CLOSE becomes WM_CLOSE.
    EXPECT_EQ(window.messages_of(WM_CLOSE).size(), 1u);
}

TEST_F(MenuKeyboard, LeftFromTheFirstItemReachesTheSystemMenu) {
    window.post_alt_tap();
    window.post_key(VK_LEFT); // the system menu's place
    window.post_key(VK_DOWN); // opens it
    window.post_key(VK_ESCAPE);
    window.post_key(VK_ESCAPE);
    run();
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(HIWORD(init_popup[0].lparam), 1);
    EXPECT_TRUE(window.commands().empty());
}

TEST(SystemMenu, StandardItemsWithStatesOfANormalWindow) {
    MenuTestWindow window(nullptr);
    HMENU system_menu = GetSystemMenu(window.hwnd, FALSE);
    ASSERT_NE(system_menu, nullptr);
    EXPECT_EQ(GetSystemMenu(window.hwnd, FALSE), system_menu);
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(system_menu); ++i)
        ids.push_back(GetMenuItemID(system_menu, i));
    std::vector<UINT> expected = {SC_RESTORE,  SC_MOVE, SC_SIZE, SC_MINIMIZE,
                                  SC_MAXIMIZE, 0,       SC_CLOSE};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(GetMenuState(system_menu, 5, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    char text[32] = {};
    GetMenuStringA(system_menu, SC_CLOSE, text, int(sizeof text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Close\tAlt+F4");
}

TEST(TrackPopupMenu, ReturnCommandWithoutPostingIt) {
    MenuTestWindow window(nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 10, "&First");
    AppendMenuA(popup, MF_STRING, 11, "&Second");
    window.post_key(VK_DOWN);
    window.post_key(VK_DOWN);
    window.post_key(VK_RETURN);
    window.post_safety_exit();
    BOOL chosen =
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 150, 150, 0, window.hwnd, nullptr);
    EXPECT_EQ(chosen, 11);
    MenuTestWindow::pump();
    EXPECT_TRUE(window.commands().empty());
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[0].wparam), popup);
    DestroyMenu(popup);
}

TEST(TrackPopupMenu, ChoosingPostsCommandAndEscapeCancels) {
    MenuTestWindow window(nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 10, "&First");
    AppendMenuA(popup, MF_STRING, 11, "&Second");
    window.post_char('f');
    window.post_safety_exit();
    EXPECT_TRUE(TrackPopupMenu(popup, 0, 150, 150, 0, window.hwnd, nullptr));
    MenuTestWindow::pump();
    EXPECT_EQ(window.commands(), std::vector<UINT>{10});

    window.post_key(VK_ESCAPE);
    window.post_safety_exit();
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, window.hwnd, nullptr), 0);
    DestroyMenu(popup);
}

TEST(TrackPopupMenu, EndMenuFromAnUpdateHandlerClosesTheMenu) {
    MenuTestWindow window(nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 10, "&First");
    window.on_init_menu_popup = [](HMENU) { EXPECT_TRUE(EndMenu()); };
    window.post_safety_exit();
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, window.hwnd, nullptr), 0);
    EXPECT_FALSE(EndMenu()) << "no menu is active any more";
    MenuTestWindow::pump();
    DestroyMenu(popup);
}

} // namespace
} // namespace mullion

namespace mullion {
namespace {

using testing::MenuTestWindow;

TEST(MenuMouse, ClickOnTheBarOpensThePopupAndClickOnAnItemChoosesIt) {
    MenuTestWindow window(sample_menu_bar()); // at (100,100), frame 4, caption 19
    SetFocus(window.hwnd);
    const int bar_y = 100 + 4 + 19 + 9;
    // The File popup opens under File, its first item a few pixels below its top.
    MenuTestWindow::inject_click(110, bar_y);
    MenuTestWindow::inject_mouse(InputEvent::Type::MouseMove, 130, bar_y + 10 + 11);
    MenuTestWindow::inject_click(130, bar_y + 10 + 11);
    // Unwinds the loop if the clicks went astray.
    MenuTestWindow::inject_key(VK_ESCAPE);
    MenuTestWindow::inject_key(VK_ESCAPE);
    MenuTestWindow::pump();
    EXPECT_EQ(window.commands(), std::vector<UINT>{IdNew});
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[0].wparam), GetSubMenu(GetMenu(window.hwnd), 0));
}

TEST(MenuMouse, ClickOutsideClosesWithoutCommand) {
    MenuTestWindow window(sample_menu_bar());
    SetFocus(window.hwnd);
    const int bar_y = 100 + 4 + 19 + 9;
    MenuTestWindow::inject_click(110, bar_y);
    MenuTestWindow::inject_click(700, 600);
    MenuTestWindow::inject_key(VK_ESCAPE);
    MenuTestWindow::inject_key(VK_ESCAPE);
    MenuTestWindow::pump();
    EXPECT_TRUE(window.commands().empty());
    EXPECT_EQ(window.messages_of(WM_EXITMENULOOP).size(), 1u);
}

} // namespace
} // namespace mullion
