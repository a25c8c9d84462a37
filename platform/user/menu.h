#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mullion {

// One item of a menu, in the terms of MENUITEMINFO: type bits (MFT_*), state bits (MFS_*),
// command id, submenu, text (UTF-8, '&' marks the mnemonic, '\t' starts the accelerator
// text), item data and bitmap.
struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    ULONG_PTR data = 0;
    HBITMAP bitmap = nullptr;
    // Where the last layout put the item, relative to the menu bar or popup origin.
    RECT rect{0, 0, 0, 0};

    bool is_separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool is_owner_draw() const { return (type & MFT_OWNERDRAW) != 0; }
    bool is_grayed() const { return (state & MFS_GRAYED) != 0; }
    bool is_checked() const { return (state & MFS_CHECKED) != 0; }
    // The lower-case mnemonic character after a single '&', 0 when none.
    char mnemonic() const;
    // The label before '\t' and the accelerator text after it.
    std::string label() const;
    std::string accelerator_text() const;
};

// A menu bar (CreateMenu) or popup menu (CreatePopupMenu) in the handle table.
class Menu : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Menu;
    ObjectKind kind() const override { return object_kind; }

    enum class Type { Bar, Popup };
    explicit Menu(Type menu_type) : type(menu_type) {}

    Type type;
    bool is_system_menu = false;
    std::vector<MenuItem> items;
};

// Guards every menu's items; the menu functions hold it only while they read or change
// items, never while a window procedure runs.
std::mutex& menu_lock();

std::shared_ptr<Menu> find_menu(HMENU menu);

// An item located by command (searching submenus) or by position, as MF_BYCOMMAND and
// MF_BYPOSITION select. menu is the menu that holds the item. Call with menu_lock() held.
struct MenuItemLocation {
    std::shared_ptr<Menu> menu;
    HMENU menu_handle = nullptr;
    size_t index = 0;
    MenuItem& item() const { return menu->items[index]; }
};
bool locate_menu_item(HMENU menu, UINT item, bool by_position, MenuItemLocation& location);

HMENU create_menu(Menu::Type type);
// A copy of the items (submenus shared), taken under the lock, for drawing and tracking.
std::vector<MenuItem> menu_items_snapshot(HMENU menu);
// The window's system menu when it already has one, without creating it.
HMENU existing_system_menu(HWND hwnd);
// Brings the standard system menu items' states in line with the window: Restore when
// minimized or maximized, Move and Size when normal, Minimize and Maximize per style.
void update_system_menu_states(HWND hwnd, HMENU system_menu);

} // namespace mullion
