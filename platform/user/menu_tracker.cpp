// The modal menu tracking loop (menu bar, system menu and TrackPopupMenu), the popup menu
// windows of class "#32768", TrackPopupMenu and EndMenu.
#include "menu_tracker.h"

#include "menu.h"
#include "menu_drawing.h"
#include "move_size.h"
#include "nonclient_layout.h"
#include "nonclient_paint.h"
#include "system_classes.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <vector>

namespace mullion {

namespace {

constexpr const char* popup_menu_class = "#32768";
constexpr int system_slot = -2; // the bar position of the system-menu icon
constexpr int no_selection = -1;
constexpr int submenu_overlap = 3;

// What a popup menu window shows, for its WM_PAINT.
struct PopupWindowState {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    SIZE size{0, 0};
    int selected = no_selection;
};

std::mutex& popup_windows_lock() {
    static std::mutex lock;
    return lock;
}

std::map<HWND, PopupWindowState>& popup_windows() {
    static std::map<HWND, PopupWindowState> windows;
    return windows;
}

bool find_popup_window_state(HWND hwnd, PopupWindowState& state) {
    std::lock_guard lock(popup_windows_lock());
    auto found = popup_windows().find(hwnd);
    if (found == popup_windows().end())
        return false;
    state = found->second;
    return true;
}

LRESULT CALLBACK popup_menu_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        PopupWindowState state;
        if (dc && find_popup_window_state(hwnd, state))
            draw_popup_menu(dc, state.menu, state.size, state.selected, state.owner);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

class MenuTracker;
thread_local MenuTracker* active_tracker = nullptr;

class MenuTracker {
public:
    enum class Mode { MenuBar, Popup };

    MenuTracker(HWND owner, Mode mode, UINT flags) : m_owner(owner), m_mode(mode), m_flags(flags) {
        if (m_mode == Mode::MenuBar) {
            m_bar = window_menu(owner);
            DWORD style = DWORD(GetWindowLongA(owner, GWL_STYLE));
            m_has_system_slot = has_caption(style) && (style & WS_SYSMENU);
        }
    }

    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    bool has_slots() const { return m_bar || m_has_system_slot; }
    int bar_count() const { return m_bar ? GetMenuItemCount(m_bar) : 0; }

    // Enters the loop: the first action (open a bar popup, select a bar item, open a popup)
    // runs once the owner has been told the menu loop started.
    template <class FirstAction> UINT run(HMENU init_menu, FirstAction first_action) {
        MenuTracker* outer = active_tracker;
        active_tracker = this;
        SendMessageA(m_owner, WM_ENTERMENULOOP, m_mode == Mode::Popup, 0);
        SetCapture(m_owner);
        if (notify())
            SendMessageA(m_owner, WM_INITMENU, WPARAM(init_menu), 0);
        first_action(*this);
        MSG msg{};
        while (!m_done) {
            if (GetCapture() != m_owner || !IsWindow(m_owner))
                break;
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
                PostQuitMessage(int(msg.wParam));
                break;
            }
            handle(msg);
        }
        close_popups_from(0);
        if (m_mode == Mode::MenuBar && IsWindow(m_owner))
            set_menu_bar_selection(m_owner, no_selection, BarSelection::None);
        if (GetCapture() == m_owner)
            ReleaseCapture();
        if (notify())
            SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessageA(m_owner, WM_EXITMENULOOP, m_mode == Mode::Popup, 0);
        active_tracker = outer;
        if (!m_has_choice)
            return 0;
        if (!(m_flags & TPM_RETURNCMD))
            PostMessageA(m_owner, m_choice_is_system ? WM_SYSCOMMAND : WM_COMMAND, m_choice, 0);
        return m_choice;
    }

    void end() { m_done = true; }

    // --- Bar ---

    void select_bar_slot(int slot, bool open, bool select_first) {
        close_popups_from(0);
        m_bar_slot = slot;
        m_bar_open = false;
        if (slot != system_slot)
            notify_select(m_bar, slot, 0);
        if (open)
            open_bar_popup(select_first);
        if (!m_bar_open)
            set_menu_bar_selection(m_owner, slot, BarSelection::Selected);
    }

    void open_bar_popup(bool select_first) {
        HMENU popup = bar_slot_menu(m_bar_slot);
        if (!popup)
            return;
        POINT origin{0, 0};
        RECT window{};
        GetWindowRect(m_owner, &window);
        NonclientLayout layout = nonclient_layout(m_owner);
        if (m_bar_slot == system_slot) {
            origin = POINT{window.left + layout.system_icon.left,
                           window.top + layout.caption.bottom + 1};
        } else {
            RECT item = bar_item_rect(m_bar_slot);
            origin = POINT{window.left + layout.menu_bar.left + item.left,
                           window.top + layout.menu_bar.top + item.bottom};
        }
        m_bar_open = true;
        set_menu_bar_selection(m_owner, m_bar_slot, BarSelection::Open);
        open_popup(popup, origin, m_bar_slot == system_slot ? 0 : m_bar_slot,
                   m_bar_slot == system_slot, select_first);
    }

    void start_with_mouse_on_bar(POINT screen_point) {
        int slot = bar_slot_at(screen_point);
        if (slot == no_selection) {
            end();
            return;
        }
        m_button_down = true;
        select_bar_slot(slot, true, false);
        m_opened_by_this_press = true;
    }

    // --- Popups ---

    void open_popup(HMENU menu, POINT origin, int index_in_parent, bool system, bool select_first,
                    const RECT* avoid_parent = nullptr) {
        if (system)
            update_system_menu_states(m_owner, menu);
        if (notify())
            SendMessageA(m_owner, WM_INITMENUPOPUP, WPARAM(menu),
                         MAKELPARAM(index_in_parent, system ? 1 : 0));
        if (m_done || !IsMenu(menu))
            return;
        SIZE size = layout_popup_menu(menu, m_owner);
        int screen_width = GetSystemMetrics(SM_CXSCREEN);
        int screen_height = GetSystemMetrics(SM_CYSCREEN);
        if (origin.x + size.cx > screen_width)
            origin.x = avoid_parent ? avoid_parent->left - size.cx + submenu_overlap
                                    : screen_width - size.cx;
        if (origin.y + size.cy > screen_height)
            origin.y = screen_height - size.cy;
        origin.x = std::max<LONG>(origin.x, 0);
        origin.y = std::max<LONG>(origin.y, 0);
        HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, popup_menu_class, "",
                                      WS_POPUP, origin.x, origin.y, size.cx, size.cy, m_owner,
                                      nullptr, nullptr, nullptr);
        {
            std::lock_guard lock(popup_windows_lock());
            popup_windows()[window] = PopupWindowState{menu, m_owner, size, no_selection};
        }
        m_popups.push_back(Level{menu, window, origin, size, no_selection, system});
        if (window) {
            ShowWindow(window, SW_SHOWNOACTIVATE);
            UpdateWindow(window);
        }
        if (select_first)
            select_in_popup(m_popups.size() - 1, next_selectable(menu, no_selection, +1), false);
    }

    void close_popups_from(size_t level) {
        while (m_popups.size() > level) {
            HWND window = m_popups.back().window;
            m_popups.pop_back();
            {
                std::lock_guard lock(popup_windows_lock());
                popup_windows().erase(window);
            }
            if (window)
                DestroyWindow(window);
        }
        if (level == 0 && m_bar_open) {
            m_bar_open = false;
            set_menu_bar_selection(m_owner, m_bar_slot, BarSelection::Selected);
        }
    }

    void select_in_popup(size_t level_index, int item, bool by_mouse) {
        Level& level = m_popups[level_index];
        if (level.selected == item)
            return;
        level.selected = item;
        {
            std::lock_guard lock(popup_windows_lock());
            auto found = popup_windows().find(level.window);
            if (found != popup_windows().end())
                found->second.selected = item;
        }
        if (level.window) {
            HDC dc = GetDC(level.window);
            draw_popup_menu(dc, level.menu, level.size, item, m_owner);
            ReleaseDC(level.window, dc);
        }
        if (item >= 0)
            notify_select(level.menu, item, by_mouse ? MF_MOUSESELECT : 0, level.system);
    }

    // Opens the submenu of the selected item of a level, if it has one.
    void open_submenu(size_t level_index, bool select_first) {
        Level level = m_popups[level_index];
        MenuItem item;
        if (level.selected < 0 || !item_at(level.menu, level.selected, item) || !item.submenu)
            return;
        close_popups_from(level_index + 1);
        RECT parent{level.origin.x, level.origin.y, level.origin.x + level.size.cx,
                    level.origin.y + level.size.cy};
        POINT origin{parent.right - submenu_overlap,
                     level.origin.y + item.rect.top - submenu_overlap};
        open_popup(item.submenu, origin, level.selected, false, select_first, &parent);
    }

    void choose(HMENU menu, int index, bool system) {
        MenuItem item;
        if (!item_at(menu, index, item) || item.is_separator() || item.is_grayed() || item.submenu)
            return;
        m_has_choice = true;
        m_choice = item.id;
        m_choice_is_system = system;
        end();
    }

    // --- Input ---

    void handle(MSG& msg) {
        UINT mouse_message = 0;
        POINT screen_point{};
        if (mouse_message_in_screen(msg, mouse_message, screen_point)) {
            on_mouse(mouse_message, screen_point);
            return;
        }
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            TranslateMessage(&msg);
            on_key(UINT(msg.wParam));
            return;
        case WM_CHAR:
        case WM_SYSCHAR:
            if (msg.wParam >= ' ')
                on_character(char(msg.wParam));
            return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return;
        default:
            DispatchMessageA(&msg);
        }
    }

private:
    struct Level {
        HMENU menu;
        HWND window;
        POINT origin;
        SIZE size;
        int selected;
        bool system;
    };

    bool notify() const { return !(m_flags & TPM_NONOTIFY); }

    static bool item_at(HMENU menu, int index, MenuItem& item) {
        std::lock_guard lock(menu_lock());
        auto object = find_menu(menu);
        if (!object || index < 0 || size_t(index) >= object->items.size())
            return false;
        item = object->items[size_t(index)];
        return true;
    }

    static int next_selectable(HMENU menu, int from, int step) {
        int count = GetMenuItemCount(menu);
        for (int tried = 0, i = from; tried < count; ++tried) {
            i = ((i < 0 && step < 0 ? count : i) + step + count) % count;
            MenuItem item;
            if (item_at(menu, i, item) && !item.is_separator())
                return i;
        }
        return no_selection;
    }

    void notify_select(HMENU menu, int index, UINT extra_flags, bool system = false) {
        if (!notify())
            return;
        MenuItem item;
        if (!item_at(menu, index, item))
            return;
        UINT flags = (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) | MF_HILITE |
                     (item.type & (MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR)) | extra_flags |
                     (item.submenu ? MF_POPUP : 0) | (system ? MF_SYSMENU : 0);
        UINT id = item.submenu ? UINT(index) : item.id;
        SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(id, flags), LPARAM(menu));
    }

    HMENU bar_slot_menu(int slot) {
        if (slot == system_slot)
            return m_has_system_slot ? GetSystemMenu(m_owner, FALSE) : nullptr;
        return m_bar ? GetSubMenu(m_bar, slot) : nullptr;
    }

    RECT bar_item_rect(int slot) {
        MenuItem item;
        return item_at(m_bar, slot, item) ? item.rect : RECT{0, 0, 0, 0};
    }

    // The bar slot under a screen point: a menu bar item, the system icon, or none.
    int bar_slot_at(POINT screen_point) {
        if (m_mode != Mode::MenuBar)
            return no_selection;
        RECT window{};
        GetWindowRect(m_owner, &window);
        NonclientLayout layout = nonclient_layout(m_owner);
        POINT p{screen_point.x - window.left, screen_point.y - window.top};
        if (m_has_system_slot && PtInRect(&layout.system_icon, p))
            return system_slot;
        if (!m_bar || !PtInRect(&layout.menu_bar, p))
            return no_selection;
        return menu_item_from_point(m_bar,
                                    POINT{p.x - layout.menu_bar.left, p.y - layout.menu_bar.top});
    }

    // The slots in bar order: the system icon first, then the bar's items.
    int step_bar_slot(int step) {
        std::vector<int> slots;
        if (m_has_system_slot)
            slots.push_back(system_slot);
        for (int i = 0; i < bar_count(); ++i)
            slots.push_back(i);
        if (slots.empty())
            return no_selection;
        auto found = std::find(slots.begin(), slots.end(), m_bar_slot);
        int position = found == slots.end() ? 0 : int(found - slots.begin());
        int count = int(slots.size());
        return slots[size_t(((position + step) % count + count) % count)];
    }

    int popup_level_at(POINT screen_point) {
        for (int i = int(m_popups.size()) - 1; i >= 0; --i) {
            const Level& level = m_popups[size_t(i)];
            RECT rect{level.origin.x, level.origin.y, level.origin.x + level.size.cx,
                      level.origin.y + level.size.cy};
            if (PtInRect(&rect, screen_point))
                return i;
        }
        return -1;
    }

    void on_mouse(UINT message, POINT screen_point) {
        int level_index = popup_level_at(screen_point);
        int item = no_selection;
        if (level_index >= 0) {
            const Level& level = m_popups[size_t(level_index)];
            item = menu_item_from_point(level.menu, POINT{screen_point.x - level.origin.x,
                                                          screen_point.y - level.origin.y});
        }
        int slot = level_index < 0 ? bar_slot_at(screen_point) : no_selection;
        bool button_down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK;
        bool button_up =
            message == WM_LBUTTONUP || (message == WM_RBUTTONUP && (m_flags & TPM_RIGHTBUTTON));
        if (button_down)
            m_button_down = true;

        if (level_index >= 0) {
            if (item >= 0 || message == WM_MOUSEMOVE) {
                close_popups_from(size_t(level_index) + 1 +
                                  (item >= 0 && item == m_popups[size_t(level_index)].selected));
                select_in_popup(size_t(level_index), item, true);
                if (item >= 0)
                    open_submenu(size_t(level_index), false);
            }
            if (button_up && item >= 0) {
                const Level& level = m_popups[size_t(level_index)];
                choose(level.menu, item, level.system);
            }
        } else if (slot != no_selection) {
            bool switching = slot != m_bar_slot || !m_bar_open;
            if (button_down && slot == m_bar_slot && m_bar_open && !m_opened_by_this_press) {
                end(); // a second click on the open item closes the menu
            } else if (switching && (button_down || m_bar_open || m_button_down)) {
                select_bar_slot(slot, true, false);
                m_opened_by_this_press = button_down;
            } else if (button_up && !bar_slot_menu(slot) && slot != system_slot) {
                choose(m_bar, slot, false);
            }
        } else if (button_down) {
            end(); // a click outside every menu closes them all
        }
        if (button_up) {
            m_button_down = false;
            m_opened_by_this_press = false;
        }
    }

    void on_key(UINT key) {
        switch (key) {
        case VK_MENU:
        case VK_F10:
            end();
            break;
        case VK_ESCAPE:
            if (m_popups.size() > 1 || (m_popups.size() == 1 && m_mode == Mode::MenuBar))
                close_popups_from(m_popups.size() - 1);
            else
                end();
            break;
        case VK_UP:
        case VK_DOWN:
            if (m_popups.empty()) {
                if (m_mode == Mode::MenuBar)
                    open_bar_popup(true);
            } else {
                size_t last = m_popups.size() - 1;
                select_in_popup(last,
                                next_selectable(m_popups[last].menu, m_popups[last].selected,
                                                key == VK_DOWN ? +1 : -1),
                                false);
            }
            break;
        case VK_LEFT:
            if (m_popups.size() > 1)
                close_popups_from(m_popups.size() - 1);
            else if (m_mode == Mode::MenuBar)
                select_bar_slot(step_bar_slot(-1), m_bar_open, true);
            break;
        case VK_RIGHT: {
            MenuItem item;
            if (!m_popups.empty() &&
                item_at(m_popups.back().menu, m_popups.back().selected, item) && item.submenu)
                open_submenu(m_popups.size() - 1, true);
            else if (m_mode == Mode::MenuBar)
                select_bar_slot(step_bar_slot(+1), m_bar_open, true);
            break;
        }
        case VK_RETURN:
            if (m_popups.empty()) {
                if (m_mode == Mode::MenuBar && bar_slot_menu(m_bar_slot))
                    open_bar_popup(true);
                else if (m_mode == Mode::MenuBar && m_bar_slot >= 0)
                    choose(m_bar, m_bar_slot, false);
            } else {
                const Level& level = m_popups.back();
                MenuItem item;
                if (item_at(level.menu, level.selected, item) && item.submenu)
                    open_submenu(m_popups.size() - 1, true);
                else
                    choose(level.menu, level.selected, level.system);
            }
            break;
        default:
            break;
        }
    }

    void on_character(char character) {
        if (character == ' ' && m_mode == Mode::MenuBar && m_popups.empty() && m_has_system_slot) {
            select_bar_slot(system_slot, true, true);
            return;
        }
        bool in_popup = !m_popups.empty();
        HMENU menu = in_popup ? m_popups.back().menu : m_bar;
        if (!menu)
            return;
        char wanted = char(std::tolower(static_cast<unsigned char>(character)));
        std::vector<int> matches;
        std::vector<MenuItem> items = menu_items_snapshot(menu);
        for (size_t i = 0; i < items.size(); ++i)
            if (!items[i].is_separator() && items[i].mnemonic() == wanted)
                matches.push_back(int(i));
        int current = in_popup ? m_popups.back().selected : m_bar_slot;
        if (matches.size() > 1) {
            // Several items share the mnemonic: each press selects the next one.
            auto next = std::upper_bound(matches.begin(), matches.end(), current);
            int target = next == matches.end() ? matches.front() : *next;
            if (in_popup)
                select_in_popup(m_popups.size() - 1, target, false);
            else
                select_bar_slot(target, false, false);
            return;
        }
        if (matches.size() == 1) {
            activate(menu, matches.front(), in_popup);
            return;
        }
        bool system = in_popup && m_popups.back().system;
        LRESULT answer = SendMessageA(
            m_owner, WM_MENUCHAR,
            MAKEWPARAM(BYTE(character), (in_popup ? MF_POPUP : 0) | (system ? MF_SYSMENU : 0)),
            LPARAM(menu));
        switch (HIWORD(answer)) {
        case MNC_CLOSE:
            end();
            break;
        case MNC_EXECUTE:
            activate(menu, int(LOWORD(answer)), in_popup);
            break;
        case MNC_SELECT:
            if (in_popup)
                select_in_popup(m_popups.size() - 1, int(LOWORD(answer)), false);
            else
                select_bar_slot(int(LOWORD(answer)), false, false);
            break;
        default:
            MessageBeep(0);
            break;
        }
    }

    // A mnemonic's item: a popup item opens, a command is chosen (a grayed one only selected).
    void activate(HMENU menu, int index, bool in_popup) {
        MenuItem item;
        if (!item_at(menu, index, item))
            return;
        if (!in_popup) {
            select_bar_slot(index, true, true);
            if (!item.submenu)
                choose(m_bar, index, false);
            return;
        }
        size_t last = m_popups.size() - 1;
        select_in_popup(last, index, false);
        if (item.submenu)
            open_submenu(last, true);
        else
            choose(menu, index, m_popups[last].system);
    }

    HWND m_owner;
    Mode m_mode;
    UINT m_flags;
    HMENU m_bar = nullptr;
    bool m_has_system_slot = false;
    int m_bar_slot = no_selection;
    bool m_bar_open = false;
    bool m_button_down = false;
    bool m_opened_by_this_press = false;
    std::vector<Level> m_popups;
    bool m_done = false;
    bool m_has_choice = false;
    UINT m_choice = 0;
    bool m_choice_is_system = false;
};

HWND menu_owner_root(HWND hwnd) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return root ? root : hwnd;
}

} // namespace

void register_menu_classes() {
    WNDCLASSA window_class{};
    window_class.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
    window_class.lpfnWndProc = popup_menu_window_proc;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = popup_menu_class;
    RegisterClassA(&window_class);
}

void track_menu_bar_with_mouse(HWND owner, POINT screen_point) {
    MenuTracker tracker(owner, MenuTracker::Mode::MenuBar, 0);
    HMENU bar = window_menu(owner);
    if (!bar)
        return;
    tracker.run(bar, [&](MenuTracker& t) { t.start_with_mouse_on_bar(screen_point); });
}

void track_system_menu_with_mouse(HWND owner) {
    MenuTracker tracker(owner, MenuTracker::Mode::MenuBar, 0);
    HMENU system_menu = GetSystemMenu(owner, FALSE);
    if (!system_menu)
        return;
    tracker.run(system_menu, [](MenuTracker& t) { t.select_bar_slot(system_slot, true, false); });
}

void track_menu_from_keyboard(HWND owner, char character) {
    owner = menu_owner_root(owner);
    MenuTracker tracker(owner, MenuTracker::Mode::MenuBar, 0);
    if (!tracker.has_slots()) {
        MessageBeep(0);
        return;
    }
    HMENU bar = window_menu(owner);
    HMENU init_menu = bar ? bar : GetSystemMenu(owner, FALSE);
    if (character == 0) {
        int first = bar && GetMenuItemCount(bar) > 0 ? 0 : system_slot;
        tracker.run(init_menu, [&](MenuTracker& t) { t.select_bar_slot(first, false, false); });
        return;
    }
    if (character == ' ') {
        if (!GetSystemMenu(owner, FALSE)) {
            MessageBeep(0);
            return;
        }
        tracker.run(init_menu, [](MenuTracker& t) { t.select_bar_slot(system_slot, true, true); });
        return;
    }
    // Alt+key: the bar item with that mnemonic opens (or, for a command, is chosen).
    char wanted = char(std::tolower(static_cast<unsigned char>(character)));
    std::vector<MenuItem> items = bar ? menu_items_snapshot(bar) : std::vector<MenuItem>{};
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].mnemonic() != wanted)
            continue;
        int index = int(i);
        tracker.run(init_menu, [&](MenuTracker& t) { t.select_bar_slot(index, true, true); });
        return;
    }
    LRESULT answer = SendMessageA(owner, WM_MENUCHAR, MAKEWPARAM(BYTE(character), 0), LPARAM(bar));
    if (HIWORD(answer) == MNC_EXECUTE || HIWORD(answer) == MNC_SELECT) {
        int index = int(LOWORD(answer));
        tracker.run(init_menu, [&](MenuTracker& t) { t.select_bar_slot(index, true, true); });
        return;
    }
    if (HIWORD(answer) != MNC_CLOSE)
        MessageBeep(0);
}

} // namespace mullion

using namespace mullion;

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int /*nReserved*/, HWND hWnd,
                           const RECT* /*prcRect*/) {
    if (!IsMenu(hMenu) || !IsWindow(hWnd) || active_tracker)
        return FALSE;
    MenuTracker tracker(hWnd, MenuTracker::Mode::Popup, uFlags);
    UINT result = tracker.run(hMenu, [&](MenuTracker& t) {
        // The alignment flags place the point relative to the popup's size, known only after
        // layout; measure first.
        SIZE size = layout_popup_menu(hMenu, hWnd);
        POINT origin{x, y};
        if (uFlags & TPM_CENTERALIGN)
            origin.x -= size.cx / 2;
        else if (uFlags & TPM_RIGHTALIGN)
            origin.x -= size.cx;
        if (uFlags & TPM_VCENTERALIGN)
            origin.y -= size.cy / 2;
        else if (uFlags & TPM_BOTTOMALIGN)
            origin.y -= size.cy;
        t.open_popup(hMenu, origin, 0, false, false);
    });
    return (uFlags & TPM_RETURNCMD) ? BOOL(result) : TRUE;
}

BOOL WINAPI EndMenu(void) {
    if (!active_tracker)
        return FALSE;
    active_tracker->end();
    return TRUE;
}
