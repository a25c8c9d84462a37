#include "window_dump.h"

#include "json_writer.h"
#include "../user/window_manager.h"
#include "windows.h"

#include "commctrl.h"

#include <strings.h>
#include <vector>

namespace mullion {

namespace {

std::string window_text(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string class_name(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

bool class_is(const std::string& name, const char* wanted) {
    return strcasecmp(name.c_str(), wanted) == 0;
}

void write_rect(JsonWriter& json, const RECT& rect) {
    json.begin_array(JsonWriter::Layout::Inline);
    json.value(int(rect.left));
    json.value(int(rect.top));
    json.value(int(rect.right));
    json.value(int(rect.bottom));
    json.end_array();
}

RECT client_rect_on_screen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
    ClientToScreen(window, &corners[0]);
    ClientToScreen(window, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool is_check_button(LONG style) {
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return true;
    default:
        return false;
    }
}

std::string list_box_item(HWND list, WPARAM index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    LRESULT copied = SendMessageA(list, LB_GETTEXT, index, LPARAM(text.data()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    return text;
}

std::string tree_item_text(HWND tree, HTREEITEM item) {
    char buffer[1024] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof buffer;
    TreeView_GetItem(tree, &query);
    return buffer;
}

void write_selection(JsonWriter& json, HWND window, const std::string& name,
                     const std::string& text) {
    if (class_is(name, "Edit")) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(window, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        if (start > end)
            std::swap(start, end);
        if (start > text.size())
            start = DWORD(text.size());
        json.value(std::string_view(text).substr(start, end - start));
    } else if (class_is(name, WC_TREEVIEWA)) {
        const HTREEITEM selected = TreeView_GetSelection(window);
        if (selected)
            json.value(tree_item_text(window, selected));
        else
            json.null();
    } else if (class_is(name, "ListBox")) {
        LRESULT selected = SendMessageA(window, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR)
            json.null();
        else
            json.value(list_box_item(window, WPARAM(selected)));
    } else {
        json.null();
    }
}

// The rows of a tree view: each item shown, with its children when it is expanded.
void write_tree_items(JsonWriter& json, HWND tree, HTREEITEM first, int level) {
    json.begin_array();
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMA query{};
        query.mask = TVIF_STATE;
        query.hItem = item;
        query.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        TreeView_GetItem(tree, &query);
        const bool expanded = (query.state & TVIS_EXPANDED) != 0;
        json.begin_object();
        json.key("text");
        json.value(tree_item_text(tree, item));
        json.key("level");
        json.value(level);
        json.key("expanded");
        json.value(expanded);
        json.key("selected");
        json.value((query.state & TVIS_SELECTED) != 0);
        json.key("items");
        write_tree_items(json, tree, expanded ? TreeView_GetChild(tree, item) : nullptr, level + 1);
        json.end_object();
    }
    json.end_array();
}

void write_items(JsonWriter& json, HWND window, const std::string& name) {
    if (class_is(name, WC_TREEVIEWA)) {
        write_tree_items(json, window, TreeView_GetRoot(window), 0);
        return;
    }
    if (!class_is(name, "ListBox")) {
        json.null();
        return;
    }
    json.begin_array();
    LRESULT count = SendMessageA(window, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
        json.value(list_box_item(window, WPARAM(index)));
    json.end_array();
}

void write_window(JsonWriter& json, HWND window, HWND focus) {
    std::string name = class_name(window);
    std::string text = window_text(window);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    RECT rect{};
    GetWindowRect(window, &rect);

    json.begin_object();
    json.key("class");
    json.value(name);
    json.key("text");
    json.value(text);
    json.key("id");
    json.value((style & WS_CHILD) ? GetDlgCtrlID(window) : 0);
    json.key("rect");
    write_rect(json, rect);
    json.key("client");
    write_rect(json, client_rect_on_screen(window));
    json.key("style");
    json.value(static_cast<long long>(DWORD(style)));
    json.key("visible");
    json.value(IsWindowVisible(window) != FALSE);
    json.key("enabled");
    json.value(IsWindowEnabled(window) != FALSE);
    json.key("focused");
    json.value(window == focus);
    json.key("checked");
    if (class_is(name, "Button") && is_check_button(style))
        json.value(int(SendMessageA(window, BM_GETCHECK, 0, 0)));
    else
        json.null();
    json.key("selection");
    write_selection(json, window, name, text);
    json.key("items");
    write_items(json, window, name);
    json.key("children");
    json.begin_array();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        write_window(json, child, focus);
    json.end_array();
    json.end_object();
}

void write_menu_items(JsonWriter& json, HMENU menu) {
    json.begin_array();
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
            continue;
        json.begin_object();
        if (info.fType & MFT_SEPARATOR) {
            json.key("text");
            json.value("");
            json.key("id");
            json.value(0);
            json.key("separator");
            json.value(true);
            json.end_object();
            continue;
        }
        std::string text(size_t(info.cch) + 1, '\0');
        info.dwTypeData = text.data();
        info.cch = UINT(text.size());
        info.fMask = MIIM_STRING;
        GetMenuItemInfoA(menu, UINT(position), TRUE, &info);
        text.resize(text.find('\0'));
        json.key("text");
        json.value(text);
        json.key("id");
        json.value(static_cast<long long>(info.wID));
        json.key("enabled");
        json.value((info.fState & MFS_DISABLED) == 0);
        json.key("checked");
        json.value((info.fState & MFS_CHECKED) != 0);
        json.key("items");
        if (info.hSubMenu)
            write_menu_items(json, info.hSubMenu);
        else
            json.null();
        json.end_object();
    }
    json.end_array();
}

BOOL CALLBACK collect_visible(HWND window, LPARAM windows) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

std::string dump_windows_json() {
    std::vector<HWND> top_level;
    EnumWindows(collect_visible, LPARAM(&top_level));
    HWND focus = input_focus_window();

    JsonWriter json;
    json.begin_object();
    json.key("windows");
    json.begin_array();
    for (HWND window : top_level)
        write_window(json, window, focus);
    json.end_array();
    json.key("menus");
    json.begin_array();
    for (HWND window : top_level) {
        if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
            continue;
        HMENU menu = GetMenu(window);
        if (!menu)
            continue;
        json.begin_object();
        json.key("window");
        json.value(window_text(window));
        json.key("items");
        write_menu_items(json, menu);
        json.end_object();
    }
    json.end_array();
    json.end_object();
    return json.text() + "\n";
}

} // namespace mullion
