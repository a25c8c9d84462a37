// List boxes driven by messages and mouse and keyboard input: sorted insertion, the selection
// and the parent's LBN_ notifications, scrolling the selection into view, item height, integral
// height, and tab-stop columns.
#include "control_test_parent.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace {

using control_test::ControlTest;
using control_test::notifications;
using Command = std::tuple<int, int, HWND>;

class ListBoxTest : public ControlTest {
protected:
    HWND create_list(DWORD style, int height = 100) {
        return create("ListBox", "", style, 5, 10, 10, 200, height);
    }

    static std::string text_at(HWND list, int index) {
        std::string text(size_t(SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0)), '\0');
        SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
        return text;
    }

    static int add(HWND list, const char* text) {
        return int(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }

    static int client_height(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        return client.bottom;
    }
};

TEST_F(ListBoxTest, SortedListsInsertWithoutRegardToCaseAndKeepEqualEntries) {
    HWND list = create_list(LBS_SORT);
    EXPECT_EQ(add(list, "pear"), 0);
    EXPECT_EQ(add(list, "Apple"), 0);
    EXPECT_EQ(add(list, "banana"), 1);
    EXPECT_EQ(add(list, "apple"), 1); // after the equal "Apple"
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(text_at(list, 0), "Apple");
    EXPECT_EQ(text_at(list, 1), "apple");
    EXPECT_EQ(text_at(list, 3), "pear");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, WPARAM(-1), LPARAM("BAN")), 2);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("ban")), LB_ERR);

    // Unsorted lists keep the order of arrival and insert where asked.
    HWND plain = create("ListBox", "", 0, 6, 220, 10, 60, 100);
    add(plain, "pear");
    add(plain, "apple");
    SendMessageA(plain, LB_INSERTSTRING, 1, LPARAM("fig"));
    EXPECT_EQ(text_at(plain, 0), "pear");
    EXPECT_EQ(text_at(plain, 1), "fig");
    EXPECT_EQ(text_at(plain, 2), "apple");
}

TEST_F(ListBoxTest, DeletingKeepsTheSelectionOnItsItemOrDropsIt) {
    HWND list = create_list(LBS_SORT);
    for (const char* name : {"a", "b", "c", "d"})
        add(list, name);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text_at(list, 1), "c");
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 1, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 7, 0), LB_ERR);
    // Selecting by program does not notify the parent, even with LBS_NOTIFY.
    HWND notifying = create("ListBox", "", LBS_NOTIFY, 6, 220, 10, 60, 100);
    add(notifying, "a");
    SendMessageA(notifying, LB_SETCURSEL, 0, 0);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScrollItIntoView) {
    HWND list = create_list(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 100);
    const int item_height = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int page = client_height(list) / item_height;
    ASSERT_GT(page, 2);
    for (int i = 0; i < 30; ++i)
        add(list, ("item " + std::to_string(100 + i)).c_str());
    SetFocus(list);
    notifications().clear();

    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0); // nothing selected: the caret item
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    SendMessageA(list, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1 + page - 1);
    SendMessageA(list, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 29);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 30 - page);
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    SendMessageA(list, WM_KEYDOWN, VK_UP, 0); // already at the top: no change, no notice
    int changes = 0;
    for (const auto& [id, code, control] : commands())
        changes += code == LBN_SELCHANGE && id == 5 && control == list;
    EXPECT_EQ(changes, 5);

    // A typed letter selects the next item beginning with it, one that begins none nothing.
    SendMessageA(list, WM_CHAR, 'I', 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    SendMessageA(list, WM_CHAR, 'z', 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, ClicksSelectAndDoubleClicksNotifyOnlyWithLbsNotify) {
    HWND quiet = create_list(0);
    HWND notifying = create("ListBox", "", LBS_NOTIFY, 9, 220, 10, 70, 100);
    for (HWND list : {quiet, notifying}) {
        add(list, "first");
        add(list, "second");
    }
    const int item_height = int(SendMessageA(notifying, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM second = MAKELPARAM(5, item_height + item_height / 2);
    for (HWND list : {quiet, notifying}) {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, second);
        SendMessageA(list, WM_LBUTTONUP, 0, second);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, second);
        SendMessageA(list, WM_LBUTTONUP, 0, second);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    }
    std::vector<Command> selection_notices;
    for (const auto& command : commands())
        if (std::get<1>(command) == LBN_SELCHANGE || std::get<1>(command) == LBN_DBLCLK)
            selection_notices.push_back(command);
    EXPECT_EQ(selection_notices,
              (std::vector<Command>{{9, LBN_SELCHANGE, notifying}, {9, LBN_DBLCLK, notifying}}));
    // Clicking took the focus, which is always reported.
    EXPECT_EQ(GetFocus(), notifying);
    EXPECT_NE(std::find(commands().begin(), commands().end(), Command{5, LBN_KILLFOCUS, quiet}),
              commands().end());
}

TEST_F(ListBoxTest, ItemsAreAsTallAsTheFontAndTheControlShowsWholeItems) {
    HFONT font =
        CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HDC dc = GetDC(parent);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(parent, dc);

    HWND integral = create_list(0, 100);
    HWND free_height = create("ListBox", "", LBS_NOINTEGRALHEIGHT, 7, 220, 10, 70, 100);
    for (HWND list : {integral, free_height}) {
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);
    }
    EXPECT_EQ(client_height(integral) % metrics.tmHeight, 0);
    EXPECT_GT(client_height(integral), 100 - metrics.tmHeight);
    EXPECT_EQ(client_height(free_height), 100);
    DestroyWindow(integral);
    DestroyWindow(free_height);
    DeleteObject(font);
}

TEST_F(ListBoxTest, TabbedTextExpandsToTheGivenStops) {
    HDC dc = GetDC(parent);
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SIZE a{}, b{};
    GetTextExtentPoint32A(dc, "ab", 2, &a);
    GetTextExtentPoint32A(dc, "c", 1, &b);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const INT every_fifty[] = {50};
    const INT listed[] = {40, 90};
    EXPECT_EQ(LOWORD(GetTabbedTextExtentA(dc, "ab\tc", 4, 1, every_fifty)), 50 + b.cx);
    EXPECT_EQ(LOWORD(GetTabbedTextExtentA(dc, "ab\t\tc", 5, 1, every_fifty)), 100 + b.cx);
    EXPECT_EQ(LOWORD(GetTabbedTextExtentA(dc, "ab\t\tc", 5, 2, listed)), 90 + b.cx);
    EXPECT_EQ(LOWORD(GetTabbedTextExtentA(dc, "ab\tc", 4, 0, nullptr)),
              8 * metrics.tmAveCharWidth + b.cx);
    EXPECT_EQ(HIWORD(GetTabbedTextExtentA(dc, "ab", 2, 0, nullptr)), metrics.tmHeight);
    ReleaseDC(parent, dc);
}

TEST_F(ListBoxTest, TabStopsPlaceTheSecondColumnInQuartersOfTheAverageCharacter) {
    HWND list = create_list(LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT);
    HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const INT stop = 64; // sixteen average characters
    EXPECT_TRUE(SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop)));
    add(list, "\tW");
    UpdateWindow(list);

    // The average character of the alphabet, as dialog units measure it.
    HDC dc = GetDC(list);
    SelectObject(dc, font);
    SIZE alphabet{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    const int average = (alphabet.cx / 26 + 1) / 2;
    const int column = 2 + MulDiv(stop, average, 4);
    const int item_height = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const COLORREF background = GetPixel(dc, 1, 1);
    int first_ink = -1;
    for (int x = 0; x < 200 && first_ink < 0; ++x)
        for (int y = 0; y < item_height; ++y)
            if (GetPixel(dc, x, y) != background) {
                first_ink = x;
                break;
            }
    ReleaseDC(list, dc);
    EXPECT_GE(first_ink, column);
    EXPECT_LT(first_ink, column + average);

    // Without the style the message is refused.
    HWND plain = create("ListBox", "", 0, 8, 220, 10, 60, 60);
    EXPECT_FALSE(SendMessageA(plain, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop)));
}

} // namespace
