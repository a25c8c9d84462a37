// The menu functions' documented round trips: items by position and by command (also inside
// submenus), check and enable states, strings, MENUITEMINFO, removal and destruction.
#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace {

enum : UINT { IdNew = 100, IdOpen = 101, IdSave = 102, IdCut = 200, IdCopy = 201, IdZoom = 300 };

// A bar: "&File" {New, Open, separator, Save}, "&Edit" {Cut, Copy, "&View" {Zoom}}.
struct SampleMenu {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU edit = CreatePopupMenu();
    HMENU view = CreatePopupMenu();

    SampleMenu() {
        AppendMenuA(file, MF_STRING, IdNew, "&New\tCtrl+N");
        AppendMenuA(file, MF_STRING, IdOpen, "&Open...");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING, IdSave, "&Save");
        AppendMenuA(view, MF_STRING, IdZoom, "&Zoom");
        AppendMenuA(edit, MF_STRING, IdCut, "Cu&t");
        AppendMenuA(edit, MF_STRING, IdCopy, "&Copy");
        AppendMenuA(edit, MF_POPUP, UINT_PTR(view), "&View");
        AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File");
        AppendMenuA(bar, MF_POPUP, UINT_PTR(edit), "&Edit");
    }
    ~SampleMenu() { DestroyMenu(bar); }
};

std::string menu_string(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = {};
    int length = GetMenuStringA(menu, item, buffer, int(sizeof buffer), flags);
    return std::string(buffer, size_t(length));
}

TEST(MenuStructure, CountsIdsAndSubmenus) {
    SampleMenu m;
    EXPECT_TRUE(IsMenu(m.bar));
    EXPECT_EQ(GetMenuItemCount(m.bar), 2);
    EXPECT_EQ(GetMenuItemCount(m.file), 4);
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.file);
    EXPECT_EQ(GetSubMenu(m.bar, 1), m.edit);
    EXPECT_EQ(GetSubMenu(m.bar, 2), nullptr);
    EXPECT_EQ(GetSubMenu(m.file, 0), nullptr);
    EXPECT_EQ(GetMenuItemID(m.file, 1), UINT(IdOpen));
    // A popup item has no command id.
    EXPECT_EQ(GetMenuItemID(m.bar, 0), UINT(-1));
    EXPECT_EQ(GetMenuItemID(m.file, 9), UINT(-1));
    EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(0x1234)), -1);
}

TEST(MenuStructure, StringsByPositionAndByCommandInsideSubmenus) {
    SampleMenu m;
    EXPECT_EQ(menu_string(m.bar, 0, MF_BYPOSITION), "&File");
    EXPECT_EQ(menu_string(m.file, IdNew, MF_BYCOMMAND), "&New\tCtrl+N");
    // By command the search descends into submenus, two levels deep here.
    EXPECT_EQ(menu_string(m.bar, IdZoom, MF_BYCOMMAND), "&Zoom");
    EXPECT_EQ(menu_string(m.bar, 999, MF_BYCOMMAND), "");
    // Without a buffer the length is returned; a short buffer truncates and terminates.
    EXPECT_EQ(GetMenuStringA(m.file, IdOpen, nullptr, 0, MF_BYCOMMAND), 8);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetMenuStringA(m.file, IdOpen, small, 4, MF_BYCOMMAND), 3);
    EXPECT_STREQ(small, "&Op");
}

TEST(MenuStates, CheckReturnsPreviousStateAndReachesSubmenus) {
    SampleMenu m;
    EXPECT_EQ(CheckMenuItem(m.bar, IdZoom, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(m.view, 0, MF_BYPOSITION) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(m.view, 0, MF_BYPOSITION | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(GetMenuState(m.view, IdZoom, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(CheckMenuItem(m.bar, 4242, MF_BYCOMMAND | MF_CHECKED), DWORD(-1));
}

TEST(MenuStates, EnableReturnsPreviousStateGrayedAndDisabledAreDistinct) {
    SampleMenu m;
    EXPECT_EQ(EnableMenuItem(m.bar, IdSave, MF_BYCOMMAND | MF_GRAYED), BOOL(MF_ENABLED));
    EXPECT_EQ(GetMenuState(m.file, IdSave, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED),
              UINT(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(m.file, 3, MF_BYPOSITION | MF_DISABLED), BOOL(MF_GRAYED));
    EXPECT_EQ(GetMenuState(m.file, IdSave, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED),
              UINT(MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(m.file, IdSave, MF_BYCOMMAND | MF_ENABLED), BOOL(MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(m.file, 777, MF_BYCOMMAND | MF_ENABLED), -1);
}

TEST(MenuStates, PopupItemStateCarriesSubmenuCountAndSeparatorFlag) {
    SampleMenu m;
    UINT state = GetMenuState(m.bar, 1, MF_BYPOSITION);
    EXPECT_EQ(state & MF_POPUP, UINT(MF_POPUP));
    EXPECT_EQ(HIBYTE(LOWORD(state)), 3) << "Edit holds three items";
    EXPECT_EQ(GetMenuState(m.file, 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(m.file, 99, MF_BYPOSITION), UINT(-1));
}

TEST(MenuStates, RadioItemChecksOneOfTheRange) {
    HMENU menu = CreatePopupMenu();
    for (UINT id = 10; id < 14; ++id)
        AppendMenuA(menu, MF_STRING, id, "choice");
    CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_CHECKED);
    ASSERT_TRUE(CheckMenuRadioItem(menu, 10, 13, 12, MF_BYCOMMAND));
    for (UINT id = 10; id < 14; ++id)
        EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0, id == 12) << id;
    MENUITEMINFOA info{sizeof info};
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 12, FALSE, &info));
    EXPECT_EQ(info.fType & MFT_RADIOCHECK, UINT(MFT_RADIOCHECK));
    ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 3, 1, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 12, MF_BYCOMMAND) & MF_CHECKED, 0u);
    DestroyMenu(menu);
}

TEST(MenuEditing, InsertModifyRemoveDelete) {
    SampleMenu m;
    // By position, before the separator; by command, before Save.
    ASSERT_TRUE(InsertMenuA(m.file, 2, MF_BYPOSITION | MF_STRING, 150, "&Close"));
    ASSERT_TRUE(InsertMenuA(m.file, IdSave, MF_BYCOMMAND | MF_STRING, 151, "Save &As"));
    EXPECT_EQ(GetMenuItemID(m.file, 2), 150u);
    EXPECT_EQ(GetMenuItemID(m.file, 4), 151u);
    EXPECT_EQ(GetMenuItemID(m.file, 5), UINT(IdSave));
    // An unknown position appends.
    ASSERT_TRUE(InsertMenuA(m.file, UINT(-1), MF_BYPOSITION | MF_STRING, 152, "E&xit"));
    EXPECT_EQ(GetMenuItemID(m.file, GetMenuItemCount(m.file) - 1), 152u);

    ASSERT_TRUE(ModifyMenuA(m.file, 150, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 160, "Clos&e All"));
    EXPECT_EQ(menu_string(m.file, 160, MF_BYCOMMAND), "Clos&e All");
    EXPECT_EQ(GetMenuState(m.file, 160, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    EXPECT_EQ(GetMenuState(m.file, 150, MF_BYCOMMAND), UINT(-1));

    // RemoveMenu keeps the submenu alive; DeleteMenu destroys it.
    ASSERT_TRUE(RemoveMenu(m.edit, 2, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(m.view));
    EXPECT_EQ(GetMenuItemCount(m.edit), 2);
    ASSERT_TRUE(AppendMenuA(m.edit, MF_POPUP, UINT_PTR(m.view), "&View"));
    ASSERT_TRUE(DeleteMenu(m.edit, 2, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(m.view));
    EXPECT_FALSE(DeleteMenu(m.edit, 12345, MF_BYCOMMAND));
}

TEST(MenuEditing, DestroyMenuIsRecursive) {
    SampleMenu m;
    HMENU bar = m.bar;
    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(m.file));
    EXPECT_FALSE(IsMenu(m.view));
    EXPECT_FALSE(DestroyMenu(bar));
    m.bar = nullptr;
}

TEST(MenuItemInfo, RoundTripOfEveryField) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    char text[] = "&Properties";
    MENUITEMINFOA in{sizeof in};
    in.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
    in.fType = MFT_STRING | MFT_RADIOCHECK;
    in.fState = MFS_CHECKED | MFS_GRAYED;
    in.wID = 77;
    in.dwItemData = 0xABCDEF;
    in.hSubMenu = sub;
    in.dwTypeData = text;
    ASSERT_TRUE(InsertMenuItemA(menu, 0, TRUE, &in));

    char buffer[32] = {};
    MENUITEMINFOA out{sizeof out};
    out.fMask = in.fMask;
    out.dwTypeData = buffer;
    out.cch = sizeof buffer;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &out));
    EXPECT_STREQ(buffer, "&Properties");
    EXPECT_EQ(out.cch, 11u);
    EXPECT_EQ(out.wID, 77u);
    EXPECT_EQ(out.fState & (MFS_CHECKED | MFS_GRAYED), UINT(MFS_CHECKED | MFS_GRAYED));
    EXPECT_EQ(out.fType & MFT_RADIOCHECK, UINT(MFT_RADIOCHECK));
    EXPECT_EQ(out.dwItemData, ULONG_PTR(0xABCDEF));
    EXPECT_EQ(out.hSubMenu, sub);

    // Without a buffer only the length comes back.
    MENUITEMINFOA length_only{sizeof length_only};
    length_only.fMask = MIIM_STRING;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &length_only));
    EXPECT_EQ(length_only.cch, 11u);

    MENUITEMINFOA change{sizeof change};
    change.fMask = MIIM_STATE;
    change.fState = MFS_ENABLED;
    ASSERT_TRUE(SetMenuItemInfoA(menu, 0, TRUE, &change));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_FALSE(GetMenuItemInfoA(menu, 5, TRUE, &out));
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(sub));
}

TEST(MenuItemInfo, OwnerDrawnItemKeepsItsData) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_OWNERDRAW, 5, reinterpret_cast<LPCSTR>(ULONG_PTR(0x55))));
    MENUITEMINFOA out{sizeof out};
    out.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 5, FALSE, &out));
    EXPECT_EQ(out.fType & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(out.dwItemData, ULONG_PTR(0x55));
    DestroyMenu(menu);
}

} // namespace
