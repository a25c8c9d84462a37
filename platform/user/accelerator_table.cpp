// Accelerator tables: LoadAcceleratorsA, CreateAcceleratorTableA, CopyAcceleratorTableA,
// DestroyAcceleratorTable and TranslateAcceleratorA.
#include "accelerator_table.h"

#include "menu.h"

#include <algorithm>
#include <cstring>

namespace mullion {

namespace {
constexpr WORD last_entry_flag = 0x80;
constexpr BYTE accelerator_flag_bits = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
} // namespace

std::vector<ACCEL> parse_accelerator_resource(const void* data, size_t size) {
    std::vector<ACCEL> entries;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t offset = 0; bytes && offset + 8 <= size; offset += 8) {
        WORD fields[4];
        std::memcpy(fields, bytes + offset, sizeof fields);
        entries.push_back(ACCEL{BYTE(fields[0] & accelerator_flag_bits), fields[1], fields[2]});
        if (fields[0] & last_entry_flag)
            break;
    }
    return entries;
}

namespace {

bool key_down(int virtual_key) {
    return (GetKeyState(virtual_key) & 0x8000) != 0;
}

// Whether the entry matches the keyboard message: virtual-key entries match WM_KEYDOWN and
// WM_SYSKEYDOWN with exactly the entry's Shift, Ctrl and Alt state; character entries match
// WM_CHAR and WM_SYSCHAR with the entry's Alt state.
bool entry_matches(const ACCEL& entry, const MSG& message) {
    // Alt is down for WM_SYS* keys typed with Alt held (context code, lParam bit 29).
    bool alt = key_down(VK_MENU) || (message.lParam & (LPARAM(1) << 29)) != 0;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return (entry.fVirt & FVIRTKEY) && entry.key == WORD(message.wParam) &&
               bool(entry.fVirt & FSHIFT) == key_down(VK_SHIFT) &&
               bool(entry.fVirt & FCONTROL) == key_down(VK_CONTROL) &&
               bool(entry.fVirt & FALT) == alt;
    case WM_CHAR:
    case WM_SYSCHAR:
        return !(entry.fVirt & FVIRTKEY) && entry.key == WORD(message.wParam & 0xffff) &&
               bool(entry.fVirt & FALT) == alt;
    default:
        return false;
    }
}

// The submenu of menu (by position) that holds the command, or the menu itself.
HMENU popup_holding(HMENU menu, UINT command, int& position) {
    position = -1;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        if (submenu && GetMenuState(submenu, command, MF_BYCOMMAND) != UINT(-1)) {
            position = i;
            return submenu;
        }
    }
    return menu;
}

enum class CommandState { NotInMenu, Enabled, Disabled };

// Lets the owner update the menu holding the command first, as before showing it, then
// reports whether the command may be sent.
CommandState prepare_menu_command(HWND hwnd, HMENU menu, UINT command, bool system_menu) {
    if (!menu || GetMenuState(menu, command, MF_BYCOMMAND) == UINT(-1))
        return CommandState::NotInMenu;
    SendMessageA(hwnd, WM_INITMENU, WPARAM(menu), 0);
    int position = -1;
    HMENU popup = system_menu ? menu : popup_holding(menu, command, position);
    if (popup != menu || system_menu)
        SendMessageA(hwnd, WM_INITMENUPOPUP, WPARAM(popup),
                     MAKELPARAM(system_menu ? 0 : position, system_menu ? 1 : 0));
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED)) ? CommandState::Disabled
                                                                    : CommandState::Enabled;
}

} // namespace
} // namespace mullion

using namespace mullion;

HACCEL WINAPI CreateAcceleratorTableA(LPACCEL paccel, int cAccel) {
    if (!paccel || cAccel <= 0)
        return nullptr;
    std::vector<ACCEL> entries(paccel, paccel + cAccel);
    for (ACCEL& entry : entries)
        entry.fVirt &= accelerator_flag_bits;
    return static_cast<HACCEL>(
        HandleTable::instance().insert(std::make_shared<AcceleratorTable>(std::move(entries))));
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) {
    return HandleTable::instance().get<AcceleratorTable>(hAccel) &&
           HandleTable::instance().remove(hAccel);
}

int WINAPI CopyAcceleratorTableA(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries) {
    auto table = HandleTable::instance().get<AcceleratorTable>(hAccelSrc);
    if (!table)
        return 0;
    int count = int(table->entries.size());
    if (!lpAccelDst)
        return count;
    int copied = std::min(count, std::max(cAccelEntries, 0));
    std::copy_n(table->entries.begin(), copied, lpAccelDst);
    return copied;
}

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
    HRSRC info = FindResourceA(hInstance, lpTableName, RT_ACCELERATOR);
    if (!info)
        return nullptr;
    HGLOBAL loaded = LoadResource(hInstance, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    std::vector<ACCEL> entries =
        parse_accelerator_resource(data, data ? SizeofResource(hInstance, info) : 0);
    if (entries.empty())
        return nullptr;
    return CreateAcceleratorTableA(entries.data(), int(entries.size()));
}

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    auto table = HandleTable::instance().get<AcceleratorTable>(hAccTable);
    if (!table || !lpMsg || !IsWindow(hWnd))
        return 0;
    for (const ACCEL& entry : table->entries) {
        if (!entry_matches(entry, *lpMsg))
            continue;
        // A minimized window or one whose mouse capture is in progress gets no command.
        if (IsIconic(hWnd) || GetCapture())
            return 1;
        HMENU system_menu = existing_system_menu(hWnd);
        HMENU window_menu = (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(hWnd);
        CommandState state = prepare_menu_command(hWnd, window_menu, entry.cmd, false);
        bool system_command = false;
        if (state == CommandState::NotInMenu && system_menu) {
            state = prepare_menu_command(hWnd, system_menu, entry.cmd, true);
            system_command = state != CommandState::NotInMenu;
        }
        if (state != CommandState::Disabled) {
            if (system_command)
                SendMessageA(hWnd, WM_SYSCOMMAND, entry.cmd, 0);
            else
                SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        }
        return 1;
    }
    return 0;
}
