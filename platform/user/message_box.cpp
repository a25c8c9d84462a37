// MessageBoxA: a modal dialog built in memory, laid out around the icon, the word-wrapped text
// and the buttons of the box's type.
#include "dialog_manager.h"
#include "system_icons.h"

#include <algorithm>
#include <vector>

namespace mullion {

namespace {

struct MessageBoxButton {
    int id;
    const char* caption;
};

std::vector<MessageBoxButton> buttons_for(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {{IDOK, "OK"}};
    }
}

WORD icon_for(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return 32513; // IDI_HAND
    case MB_ICONQUESTION:
        return 32514; // IDI_QUESTION
    case MB_ICONEXCLAMATION:
        return 32515; // IDI_EXCLAMATION
    case MB_ICONASTERISK:
        return 32516; // IDI_ASTERISK
    default:
        return 0;
    }
}

constexpr int icon_item_id = 0xFFFF;
constexpr int text_item_id = 0xFFFE;

struct MessageBoxSetup {
    std::vector<MessageBoxButton> buttons;
    int default_id = IDOK;
    HICON icon = nullptr;
};

bool has_button(const MessageBoxSetup& setup, int id) {
    return std::any_of(setup.buttons.begin(), setup.buttons.end(),
                       [id](const MessageBoxButton& button) { return button.id == id; });
}

INT_PTR CALLBACK message_box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* setup = reinterpret_cast<const MessageBoxSetup*>(lparam);
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        if (setup->icon)
            SendDlgItemMessageA(dialog, icon_item_id, STM_SETICON,
                                reinterpret_cast<WPARAM>(setup->icon), 0);
        // Without a Cancel button only a lone OK may be closed; otherwise the close box goes.
        if (!has_button(*setup, IDCANCEL) && setup->buttons.size() > 1)
            EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        SendMessageA(dialog, DM_SETDEFID, WPARAM(setup->default_id), 0);
        if (HWND button = GetDlgItem(dialog, setup->default_id))
            dialog_set_focus(dialog, button);
        return FALSE;
    }
    case WM_COMMAND: {
        const auto* setup =
            reinterpret_cast<const MessageBoxSetup*>(GetWindowLongPtrA(dialog, DWLP_USER));
        const int id = LOWORD(wparam);
        if (!setup || HIWORD(wparam) != BN_CLICKED)
            return FALSE;
        if (has_button(*setup, id))
            EndDialog(dialog, id);
        else if (id == IDCANCEL && setup->buttons.size() == 1)
            EndDialog(dialog, setup->buttons.front().id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int units_x(int pixels, SIZE base) {
    return (pixels * 4 + base.cx - 1) / base.cx;
}

int units_y(int pixels, SIZE base) {
    return (pixels * 8 + base.cy - 1) / base.cy;
}

DialogItemTemplate item(WORD class_ordinal, std::string text, DWORD style, int id, int x, int y,
                        int cx, int cy) {
    DialogItemTemplate result;
    result.window_class = ResourceId::from_ordinal(class_ordinal);
    result.title = ResourceId::from_name(std::move(text));
    result.style = style | WS_CHILD | WS_VISIBLE;
    result.id = DWORD(id);
    result.x = short(x);
    result.y = short(y);
    result.cx = short(cx);
    result.cy = short(cy);
    return result;
}

} // namespace

} // namespace mullion

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    using namespace mullion;
    MessageBoxSetup setup;
    setup.buttons = buttons_for(uType);
    const size_t default_index =
        std::min<size_t>((uType & MB_DEFMASK) >> 8, setup.buttons.size() - 1);
    setup.default_id = setup.buttons[default_index].id;
    if (const WORD icon_id = icon_for(uType))
        setup.icon = system_icon(icon_id);

    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    dialog.ex_style = (uType & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0;
    dialog.title = lpCaption ? lpCaption : "Error";
    dialog.has_font = true;
    dialog.point_size = 8;
    dialog.face = "MS Sans Serif";

    // Measure with the box's own font, in pixels, then express the layout in its dialog units.
    HFONT font = CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    const SIZE base = font_base_units(font);
    const std::string text = lpText ? lpText : "";
    const int icon_size = setup.icon ? 32 : 0;
    const int margin = MulDiv(7, base.cx, 4);
    const int spacing = MulDiv(7, base.cx, 4);
    const int max_text_width =
        GetSystemMetrics(SM_CXSCREEN) * 3 / 4 - 2 * margin - (icon_size ? icon_size + spacing : 0);
    RECT text_rect{0, 0, max_text_width, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    DrawTextA(dc, text.c_str(), -1, &text_rect,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    // Rounding to dialog units may lose a pixel: leave room for it.
    const int text_width = text_rect.right - text_rect.left + base.cx / 2 + 1;
    const int text_height = std::max<int>(text_rect.bottom - text_rect.top, base.cy);

    const int button_width = MulDiv(50, base.cx, 4);
    const int button_height = MulDiv(14, base.cy, 8);
    const int button_gap = MulDiv(4, base.cx, 4);
    const int count = int(setup.buttons.size());
    const int buttons_width = count * button_width + (count - 1) * button_gap;
    const int text_x = margin + (icon_size ? icon_size + spacing : 0);
    const int block_height = std::max(text_height, icon_size);
    const int client_width = std::max(text_x + text_width + margin, buttons_width + 2 * margin);
    const int buttons_y = margin + block_height + MulDiv(7, base.cy, 8);
    const int client_height = buttons_y + button_height + margin;

    dialog.cx = short(units_x(client_width, base));
    dialog.cy = short(units_y(client_height, base));
    if (icon_size)
        dialog.items.push_back(item(0x0082, "", SS_ICON, icon_item_id, units_x(margin, base),
                                    units_y(margin, base), units_x(icon_size, base),
                                    units_y(icon_size, base)));
    const int text_y = margin + (block_height - text_height) / 2;
    dialog.items.push_back(item(0x0082, text, SS_LEFT | SS_NOPREFIX | WS_GROUP, text_item_id,
                                units_x(text_x, base), units_y(text_y, base),
                                units_x(text_width, base), units_y(text_height, base)));
    int x = (client_width - buttons_width) / 2;
    for (int i = 0; i < count; ++i) {
        const auto& button = setup.buttons[size_t(i)];
        const DWORD style = (button.id == setup.default_id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                            WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
        dialog.items.push_back(item(0x0080, button.caption, style, button.id, units_x(x, base),
                                    units_y(buttons_y, base), 50, 14));
        x += button_width + button_gap;
    }

    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    HWND box = create_dialog(nullptr, dialog, owner, message_box_proc,
                             reinterpret_cast<LPARAM>(&setup), false);
    if (!box)
        return 0;
    return int(run_modal_dialog(box, owner));
}
