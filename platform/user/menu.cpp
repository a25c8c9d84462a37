// The menu data model: items, lookups and the per-window system menus.
#include "menu.h"

#include <cctype>
#include <map>

namespace mullion {

char MenuItem::mnemonic() const {
    for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return char(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

std::string MenuItem::label() const {
    return text.substr(0, text.find('\t'));
}

std::string MenuItem::accelerator_text() const {
    size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::mutex& menu_lock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<Menu> find_menu(HMENU menu) {
    return HandleTable::instance().get<Menu>(menu);
}

namespace {

bool locate_by_command(HMENU handle, UINT id, MenuItemLocation& location, int depth) {
    auto menu = find_menu(handle);
    if (!menu || depth > 32)
        return false;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        if (item.id == id && !item.submenu) {
            location = {menu, handle, i};
            return true;
        }
        if (item.submenu && locate_by_command(item.submenu, id, location, depth + 1))
            return true;
    }
    // A popup item is found by its own id only when no command inside it matched.
    for (size_t i = 0; i < menu->items.size(); ++i) {
        if (menu->items[i].submenu && menu->items[i].id == id) {
            location = {menu, handle, i};
            return true;
        }
    }
    return false;
}

} // namespace

bool locate_menu_item(HMENU handle, UINT item, bool by_position, MenuItemLocation& location) {
    if (!by_position)
        return locate_by_command(handle, item, location, 0);
    auto menu = find_menu(handle);
    if (!menu || item >= menu->items.size())
        return false;
    location = {menu, handle, item};
    return true;
}

HMENU create_menu(Menu::Type type) {
    return static_cast<HMENU>(HandleTable::instance().insert(std::make_shared<Menu>(type)));
}

std::vector<MenuItem> menu_items_snapshot(HMENU handle) {
    std::lock_guard lock(menu_lock());
    auto menu = find_menu(handle);
    return menu ? menu->items : std::vector<MenuItem>{};
}

namespace {

std::mutex& system_menus_lock() {
    static std::mutex lock;
    return lock;
}

std::map<HWND, HMENU>& system_menus() {
    static std::map<HWND, HMENU> menus;
    return menus;
}

HMENU build_system_menu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenuA(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    std::lock_guard lock(menu_lock());
    if (auto object = find_menu(menu))
        object->is_system_menu = true;
    return menu;
}

} // namespace

HMENU existing_system_menu(HWND hwnd) {
    std::lock_guard lock(system_menus_lock());
    auto found = system_menus().find(hwnd);
    return found == system_menus().end() ? nullptr : found->second;
}

void update_system_menu_states(HWND hwnd, HMENU system_menu) {
    DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    bool minimized = (style & WS_MINIMIZE) != 0;
    bool maximized = (style & WS_MAXIMIZE) != 0;
    bool normal = !minimized && !maximized;
    auto set = [&](UINT command, bool enabled) {
        EnableMenuItem(system_menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    set(SC_RESTORE, !normal);
    set(SC_MOVE, !maximized);
    set(SC_SIZE, normal && (style & WS_THICKFRAME));
    set(SC_MINIMIZE, !minimized && (style & WS_MINIMIZEBOX));
    set(SC_MAXIMIZE, !maximized && (style & WS_MAXIMIZEBOX));
}

} // namespace mullion

using namespace mullion;

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
    if (!IsWindow(hWnd))
        return nullptr;
    HMENU discarded = nullptr;
    HMENU menu = nullptr;
    {
        std::lock_guard lock(system_menus_lock());
        auto& menus = system_menus();
        std::erase_if(menus, [](const auto& entry) { return !IsWindow(entry.first); });
        auto found = menus.find(hWnd);
        if (found != menus.end()) {
            if (!bRevert)
                return found->second;
            discarded = found->second;
            menus.erase(found);
        }
    }
    if (discarded)
        DestroyMenu(discarded);
    // Reverting restores the standard menu and returns null, as documented.
    if (bRevert)
        return nullptr;
    menu = build_system_menu();
    std::lock_guard lock(system_menus_lock());
    auto [entry, inserted] = system_menus().emplace(hWnd, menu);
    if (!inserted) {
        DestroyMenu(menu);
        return entry->second;
    }
    return menu;
}
