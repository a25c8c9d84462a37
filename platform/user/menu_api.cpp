// The menu functions: creation, destruction, items by command or position, check and enable
// states, strings and MENUITEMINFO.
#include "menu.h"

#include <algorithm>
#include <cstring>

namespace mullion {
namespace {

constexpr UINT state_bits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;
constexpr UINT flag_type_bits =
    MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY;

bool by_position(UINT flags) {
    return (flags & MF_BYPOSITION) != 0;
}

// Builds an item from the flags of AppendMenu, InsertMenu and ModifyMenu.
MenuItem item_from_flags(UINT flags, UINT_PTR id_or_submenu, LPCSTR new_item) {
    MenuItem item;
    item.type = flags & flag_type_bits;
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(id_or_submenu);
        item.id = UINT(id_or_submenu);
    } else {
        item.id = UINT(id_or_submenu);
    }
    if (flags & MF_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<LPSTR>(new_item));
    else if (flags & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(new_item);
    else if (!(flags & MF_SEPARATOR) && new_item)
        item.text = new_item;
    return item;
}

// Inserts before the item found by position or command; an unknown position appends to the
// end, as Win32 does.
bool insert_item(HMENU handle, UINT position, bool use_position, MenuItem item) {
    std::lock_guard lock(menu_lock());
    auto menu = find_menu(handle);
    if (!menu)
        return false;
    MenuItemLocation location;
    if (position != UINT(-1) && locate_menu_item(handle, position, use_position, location)) {
        auto& items = location.menu->items;
        items.insert(items.begin() + std::ptrdiff_t(location.index), std::move(item));
    } else {
        menu->items.push_back(std::move(item));
    }
    return true;
}

void destroy_menu_tree(HMENU handle, int depth) {
    auto object = HandleTable::instance().remove(handle);
    auto menu = std::static_pointer_cast<Menu>(object);
    if (!menu || depth > 32)
        return;
    for (const MenuItem& item : menu->items)
        if (item.submenu && find_menu(item.submenu))
            destroy_menu_tree(item.submenu, depth + 1);
}

void copy_out_string(const std::string& text, LPSTR buffer, UINT capacity) {
    if (!buffer || capacity == 0)
        return;
    size_t count = std::min<size_t>(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

} // namespace
} // namespace mullion

using namespace mullion;

HMENU WINAPI CreateMenu(void) {
    return create_menu(Menu::Type::Bar);
}

HMENU WINAPI CreatePopupMenu(void) {
    return create_menu(Menu::Type::Popup);
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    if (!find_menu(hMenu))
        return FALSE;
    destroy_menu_tree(hMenu, 0);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU hMenu) {
    return find_menu(hMenu) != nullptr;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (nPos < 0 || !locate_menu_item(hMenu, UINT(nPos), true, location))
        return nullptr;
    return location.item().submenu;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    std::lock_guard lock(menu_lock());
    auto menu = find_menu(hMenu);
    return menu ? int(menu->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (nPos < 0 || !locate_menu_item(hMenu, UINT(nPos), true, location))
        return UINT(-1);
    return location.item().submenu ? UINT(-1) : location.item().id;
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMenu, uId, by_position(uFlags), location))
        return UINT(-1);
    const MenuItem& item = location.item();
    UINT flags = item.type | (item.state & state_bits);
    if (!item.submenu)
        return flags;
    // A popup item reports its submenu's item count in the high byte of the low word.
    auto submenu = find_menu(item.submenu);
    UINT count = submenu ? UINT(submenu->items.size()) : 0;
    return ((count & 0xff) << 8) | (flags & 0xff) | MF_POPUP;
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMenu, uIDItem, by_position(flags), location)) {
        copy_out_string({}, lpString, UINT(std::max(cchMax, 0)));
        return 0;
    }
    const std::string& text = location.item().text;
    if (!lpString || cchMax <= 0)
        return int(text.size());
    copy_out_string(text, lpString, UINT(cchMax));
    return int(std::min<size_t>(text.size(), size_t(cchMax - 1)));
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    return insert_item(hMenu, UINT(-1), true, item_from_flags(uFlags, uIDNewItem, lpNewItem));
}

BOOL WINAPI InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    return insert_item(hMenu, uPosition, by_position(uFlags),
                       item_from_flags(uFlags, uIDNewItem, lpNewItem));
}

BOOL WINAPI ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMnu, uPosition, by_position(uFlags), location))
        return FALSE;
    location.item() = item_from_flags(uFlags, uIDNewItem, lpNewItem);
    return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMenu, uPosition, by_position(uFlags), location))
        return FALSE;
    location.menu->items.erase(location.menu->items.begin() + std::ptrdiff_t(location.index));
    return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    HMENU submenu = nullptr;
    {
        std::lock_guard lock(menu_lock());
        MenuItemLocation location;
        if (!locate_menu_item(hMenu, uPosition, by_position(uFlags), location))
            return FALSE;
        submenu = location.item().submenu;
        location.menu->items.erase(location.menu->items.begin() + std::ptrdiff_t(location.index));
    }
    if (submenu)
        DestroyMenu(submenu);
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMenu, uIDCheckItem, by_position(uCheck), location))
        return DWORD(-1);
    MenuItem& item = location.item();
    DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~UINT(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hMenu, uIDEnableItem, by_position(uEnable), location))
        return -1;
    MenuItem& item = location.item();
    UINT previous = item.state & (MF_GRAYED | MF_DISABLED);
    item.state =
        (item.state & ~UINT(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return BOOL(previous);
}

BOOL WINAPI CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
    std::lock_guard lock(menu_lock());
    MenuItemLocation first_location, last_location, check_location;
    bool positions = by_position(flags);
    if (!locate_menu_item(hmenu, first, positions, first_location) ||
        !locate_menu_item(hmenu, last, positions, last_location) ||
        !locate_menu_item(hmenu, check, positions, check_location) ||
        first_location.menu != last_location.menu || first_location.menu != check_location.menu)
        return FALSE;
    size_t from = std::min(first_location.index, last_location.index);
    size_t to = std::max(first_location.index, last_location.index);
    for (size_t i = from; i <= to; ++i) {
        MenuItem& item = first_location.menu->items[i];
        if (i == check_location.index) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~UINT(MFS_CHECKED);
        }
    }
    return TRUE;
}

BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    if (!lpmii)
        return FALSE;
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hmenu, item, fByPosition, location))
        return FALSE;
    const MenuItem& found = location.item();
    UINT mask = lpmii->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        lpmii->fType = found.type;
    if (mask & MIIM_STATE)
        lpmii->fState = found.state & state_bits;
    if (mask & MIIM_ID)
        lpmii->wID = found.id;
    if (mask & MIIM_SUBMENU)
        lpmii->hSubMenu = found.submenu;
    if (mask & MIIM_DATA)
        lpmii->dwItemData = found.data;
    if (mask & MIIM_BITMAP)
        lpmii->hbmpItem = found.bitmap;
    if (mask & MIIM_CHECKMARKS) {
        lpmii->hbmpChecked = nullptr;
        lpmii->hbmpUnchecked = nullptr;
    }
    bool wants_text =
        (mask & MIIM_STRING) ||
        ((mask & MIIM_TYPE) && !(found.type & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)));
    if ((mask & MIIM_TYPE) && (found.type & MFT_BITMAP))
        lpmii->dwTypeData = reinterpret_cast<LPSTR>(found.bitmap);
    if (wants_text) {
        // With a buffer, cch is its capacity on entry and the copied length on return;
        // without one, cch receives the text's length.
        if (lpmii->dwTypeData && lpmii->cch > 0) {
            copy_out_string(found.text, lpmii->dwTypeData, lpmii->cch);
            lpmii->cch = UINT(std::min<size_t>(found.text.size(), lpmii->cch - 1));
        } else {
            lpmii->cch = UINT(found.text.size());
        }
    }
    return TRUE;
}

namespace {

void apply_item_info(MenuItem& item, const MENUITEMINFOA& info) {
    UINT mask = info.fMask;
    if (mask & MIIM_TYPE) {
        item.type = info.fType;
        item.bitmap = nullptr;
        item.text.clear();
        if (info.fType & MFT_BITMAP)
            item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
        else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
            item.text = info.dwTypeData;
    }
    if (mask & MIIM_FTYPE)
        item.type = info.fType;
    if (mask & MIIM_STRING)
        item.text = info.dwTypeData ? info.dwTypeData : "";
    if (mask & MIIM_STATE)
        item.state = info.fState & state_bits;
    if (mask & MIIM_ID)
        item.id = info.wID;
    if (mask & MIIM_SUBMENU)
        item.submenu = info.hSubMenu;
    if (mask & MIIM_DATA)
        item.data = info.dwItemData;
    if (mask & MIIM_BITMAP)
        item.bitmap = info.hbmpItem;
}

} // namespace

BOOL WINAPI SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    if (!lpmii)
        return FALSE;
    std::lock_guard lock(menu_lock());
    MenuItemLocation location;
    if (!locate_menu_item(hmenu, item, fByPositon, location))
        return FALSE;
    apply_item_info(location.item(), *lpmii);
    return TRUE;
}

BOOL WINAPI InsertMenuItemA(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi) {
    if (!lpmi || !find_menu(hmenu))
        return FALSE;
    MenuItem created;
    apply_item_info(created, *lpmi);
    return insert_item(hmenu, item, fByPosition, std::move(created));
}
