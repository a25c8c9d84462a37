// The "Button" control: its states, clicks (mouse, Space, BM_CLICK), automatic check boxes and
// radio groups, notifications to the parent, and its classic 3-D drawing.
#include "button_control.h"

#include "control_class.h"

#include "../user/system_classes.h"

#include <algorithm>
#include <string>
#include <vector>

namespace mullion {

namespace {

ButtonState* state_of(HWND hwnd) {
    return reinterpret_cast<ButtonState*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD style_of(HWND hwnd) {
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

DWORD type_of(HWND hwnd) {
    return style_of(hwnd) & BS_TYPEMASK;
}

bool is_radio_type(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool is_check_type(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

std::string window_text(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(size_t(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(size_t(std::max(0, length)));
    return text;
}

void notify_parent(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

void repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

void set_check(HWND hwnd, ButtonState& state, UINT check) {
    const DWORD type = type_of(hwnd);
    if (!is_check_type(type) && !is_radio_type(type))
        return;
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
        check = BST_CHECKED;
    // The checked radio button of a group is the group's tab stop.
    if (is_radio_type(type)) {
        const DWORD style = style_of(hwnd);
        const DWORD wanted = check ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style)
            SetWindowLongA(hwnd, GWL_STYLE, LONG(wanted));
    }
    if (state.check != check) {
        state.check = check;
        repaint(hwnd);
    }
}

// Unchecks the other automatic radio buttons of the button's group: the siblings from the
// nearest WS_GROUP one at or before it up to the next WS_GROUP one.
void uncheck_group(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    HWND first = hwnd;
    while (!(style_of(first) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous)
            break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && (style_of(sibling) & WS_GROUP))
            break;
        if (sibling == hwnd)
            continue;
        char class_name[16];
        GetClassNameA(sibling, class_name, sizeof class_name);
        if (lstrcmpiA(class_name, "Button") == 0 && type_of(sibling) == BS_AUTORADIOBUTTON)
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// A completed click: automatic buttons change their check, then the parent hears BN_CLICKED.
void click(HWND hwnd, ButtonState& state) {
    switch (type_of(hwnd)) {
    case BS_AUTOCHECKBOX:
        set_check(hwnd, state, state.check ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        set_check(hwnd, state, (state.check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        set_check(hwnd, state, BST_CHECKED);
        uncheck_group(hwnd);
        break;
    default:
        break;
    }
    notify_parent(hwnd, BN_CLICKED);
}

DRAWITEMSTRUCT owner_draw_item(HWND hwnd, const ButtonState& state, HDC dc, UINT action) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = UINT(GetDlgCtrlID(hwnd));
    item.itemAction = action;
    item.itemState = (state.pushed ? ODS_SELECTED : 0) | (state.focused ? ODS_FOCUS : 0) |
                     (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc;
    GetClientRect(hwnd, &item.rcItem);
    return item;
}

void send_draw_item(HWND hwnd, DRAWITEMSTRUCT& item) {
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// An owner-drawn button's parent redraws it at once for a change of selection or focus, told
// which of the two changed; a hidden button waits for its next paint.
void owner_draw_now(HWND hwnd, const ButtonState& state, UINT action) {
    if (!IsWindowVisible(hwnd))
        return;
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    const int saved = SaveDC(dc);
    SelectObject(dc, state.font ? static_cast<HGDIOBJ>(state.font) : GetStockObject(SYSTEM_FONT));
    DRAWITEMSTRUCT item = owner_draw_item(hwnd, state, dc, action);
    send_draw_item(hwnd, item);
    RestoreDC(dc, saved);
    ReleaseDC(hwnd, dc);
}

// Redraws the button after a change of its pushed or focused look.
void show_state_change(HWND hwnd, const ButtonState& state, UINT owner_draw_action) {
    if (button_kind(style_of(hwnd)) == ButtonKind::OwnerDraw)
        owner_draw_now(hwnd, state, owner_draw_action);
    else
        repaint(hwnd);
}

void set_pushed(HWND hwnd, ButtonState& state, bool pushed) {
    if (state.pushed == pushed)
        return;
    state.pushed = pushed;
    show_state_change(hwnd, state, ODA_SELECT);
    if (style_of(hwnd) & BS_NOTIFY)
        notify_parent(hwnd, pushed ? BN_HILITE : BN_UNHILITE);
}

LRESULT dialog_code(DWORD style) {
    switch (button_kind(style)) {
    case ButtonKind::Push:
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if ((style & BS_TYPEMASK) == BS_PUSHBUTTON)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return DLGC_BUTTON;
    case ButtonKind::Radio:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case ButtonKind::GroupBox:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

// ---- Drawing ----

struct PaintContext {
    HWND hwnd;
    HDC dc;
    RECT client;
    DWORD style;
    ButtonState& state;
    bool enabled;
};

HBRUSH control_brush(HWND hwnd, HDC dc, UINT message) {
    HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent) {
        brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
        if (!brush)
            brush = reinterpret_cast<HBRUSH>(DefWindowProcA(
                parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    }
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

UINT text_format(DWORD style, UINT horizontal_default) {
    UINT format = 0;
    switch (style & BS_CENTER) {
    case BS_LEFT:
        format |= DT_LEFT;
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    case BS_CENTER:
        format |= DT_CENTER;
        break;
    default:
        format |= horizontal_default;
        break;
    }
    if (style & BS_MULTILINE)
        format |= DT_WORDBREAK;
    else
        format |= DT_SINGLELINE | DT_VCENTER;
    return format;
}

// Push buttons write their label on their own face; the other kinds write it with the
// background mode and colours their parent chose in its control-colour answer.
enum class LabelBackground { Transparent, AsParentChose };

// Text, enabled or embossed the classic way when disabled; returns the rectangle it covers.
RECT draw_label(const PaintContext& paint, RECT area, UINT format, LabelBackground background) {
    const std::string text = window_text(paint.hwnd);
    RECT bounds = area;
    DrawTextA(paint.dc, text.c_str(), -1, &bounds, format | DT_CALCRECT);
    // DT_CALCRECT keeps the top-left corner: place the measured box as the format would.
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (format & DT_CENTER)
        bounds.left = area.left + (area.right - area.left - width) / 2;
    else if (format & DT_RIGHT)
        bounds.left = area.right - width;
    if (format & DT_VCENTER)
        bounds.top = area.top + (area.bottom - area.top - height) / 2;
    bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    if (background == LabelBackground::Transparent || !paint.enabled)
        SetBkMode(paint.dc, TRANSPARENT);
    if (paint.enabled) {
        DrawTextA(paint.dc, text.c_str(), -1, &area, format);
    } else {
        const COLORREF previous = SetTextColor(paint.dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = area;
        OffsetRect(&shifted, 1, 1);
        DrawTextA(paint.dc, text.c_str(), -1, &shifted, format);
        SetTextColor(paint.dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(paint.dc, text.c_str(), -1, &area, format);
        SetTextColor(paint.dc, previous);
    }
    return bounds;
}

SIZE icon_size(HICON icon) {
    SIZE size{32, 32};
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap{};
    if (GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap))
        size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

// The button's picture drawn at (x, y): its bitmap copied, or its icon through its masks.
void draw_picture(HDC dc, const ButtonState& state, bool icon, int x, int y, SIZE size) {
    if (icon) {
        DrawIconEx(dc, x, y, state.icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, state.bitmap);
    BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

// A disabled picture is shown etched: the shape of its dark pixels (darker than middle gray,
// over a white background) in the 3-D highlight colour one pixel down and to the right, with
// the same shape in the 3-D shadow colour on top.
void draw_etched_picture(HDC dc, const ButtonState& state, bool icon, int x, int y, SIZE size) {
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memory, canvas);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw_picture(memory, state, icon, 0, 0, size);
    std::vector<bool> shape(size_t(size.cx) * size_t(size.cy));
    for (int row = 0; row < size.cy; ++row)
        for (int column = 0; column < size.cx; ++column) {
            const COLORREF c = GetPixel(memory, column, row);
            shape[size_t(row) * size_t(size.cx) + size_t(column)] =
                GetRValue(c) + GetGValue(c) + GetBValue(c) < 384;
        }
    SelectObject(memory, previous);
    DeleteObject(canvas);
    DeleteDC(memory);
    const COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    for (const int offset : {1, 0})
        for (int row = 0; row < size.cy; ++row)
            for (int column = 0; column < size.cx; ++column)
                if (shape[size_t(row) * size_t(size.cx) + size_t(column)])
                    SetPixel(dc, x + column + offset, y + row + offset,
                             offset ? highlight : shadow);
}

// The picture of a BS_BITMAP or BS_ICON button, centred in the area.
void draw_image(const PaintContext& paint, RECT area) {
    const bool icon = (paint.style & BS_ICON) != 0;
    SIZE size{};
    if (icon) {
        if (!paint.state.icon)
            return;
        size = icon_size(paint.state.icon);
    } else {
        BITMAP bitmap{};
        if (!paint.state.bitmap || !GetObjectA(paint.state.bitmap, sizeof bitmap, &bitmap))
            return;
        size = {bitmap.bmWidth, bitmap.bmHeight};
    }
    const int x = area.left + (area.right - area.left - size.cx) / 2;
    const int y = area.top + (area.bottom - area.top - size.cy) / 2;
    if (paint.enabled)
        draw_picture(paint.dc, paint.state, icon, x, y, size);
    else
        draw_etched_picture(paint.dc, paint.state, icon, x, y, size);
}

void paint_push_button(const PaintContext& paint, bool pushed) {
    control_brush(paint.hwnd, paint.dc, WM_CTLCOLORBTN);
    RECT face = paint.client;
    const bool is_default = (paint.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (is_default) {
        FrameRect(paint.dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (pushed) {
        FrameRect(paint.dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT inner = face;
        InflateRect(&inner, -1, -1);
        FillRect(paint.dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        RECT edge = face;
        DrawEdge(paint.dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    RECT content = face;
    InflateRect(&content, -3, -3);
    if (pushed)
        OffsetRect(&content, 1, 1);
    if (paint.style & (BS_BITMAP | BS_ICON)) {
        draw_image(paint, content);
    } else {
        SetTextColor(paint.dc, GetSysColor(COLOR_BTNTEXT));
        draw_label(paint, content, text_format(paint.style, DT_CENTER),
                   LabelBackground::Transparent);
    }
    if (paint.state.focused) {
        RECT focus = face;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(paint.dc, &focus);
    }
}

void draw_check_box(HDC dc, RECT box, UINT check, bool pushed, bool enabled) {
    RECT edge = box;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool face_inside = pushed || !enabled || check == BST_INDETERMINATE;
    FillRect(dc, &edge, GetSysColorBrush(face_inside ? COLOR_BTNFACE : COLOR_WINDOW));
    if (check == BST_UNCHECKED)
        return;
    // The check mark: a short stroke down to the right, then a long one up, three pixels thick.
    const COLORREF color = check == BST_INDETERMINATE || !enabled ? GetSysColor(COLOR_BTNSHADOW)
                                                                  : GetSysColor(COLOR_WINDOWTEXT);
    const int x0 = edge.left + 1;
    const int y0 = edge.top + 3;
    for (int i = 0; i < 7; ++i) {
        const int y = i < 3 ? y0 + 1 + i : y0 + 5 - (i - 2);
        for (int t = 0; t < 3; ++t)
            SetPixel(dc, x0 + i, y + t, color);
    }
}

void draw_radio(HDC dc, RECT box, bool checked, bool pushed, bool enabled) {
    // A 12 x 12 circle: shadow on the upper left, highlight on the lower right, white inside.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF inside = GetSysColor(pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const double dx = x + 0.5 - 6;
            const double dy = y + 0.5 - 6;
            const double d2 = dx * dx + dy * dy;
            if (d2 > 36)
                continue;
            const bool upper_left = dx + dy < 0;
            COLORREF color = inside;
            if (d2 > 25)
                color = upper_left ? shadow : highlight;
            else if (d2 > 16)
                color = upper_left ? dark : light;
            SetPixel(dc, box.left + x, box.top + y, color);
        }
    if (checked) {
        const COLORREF dot = enabled ? GetSysColor(COLOR_WINDOWTEXT) : shadow;
        for (int y = 4; y < 8; ++y)
            for (int x = 4; x < 8; ++x)
                if (!((x == 4 || x == 7) && (y == 4 || y == 7)))
                    SetPixel(dc, box.left + x, box.top + y, dot);
    }
}

void paint_check_or_radio(const PaintContext& paint, bool radio) {
    HBRUSH brush = control_brush(paint.hwnd, paint.dc, WM_CTLCOLORSTATIC);
    FillRect(paint.dc, &paint.client, brush);
    const int box_size = radio ? 12 : 13;
    const bool left_text = (paint.style & BS_LEFTTEXT) != 0;
    const int height = paint.client.bottom - paint.client.top;
    RECT box;
    box.left = left_text ? paint.client.right - box_size : paint.client.left;
    box.top = paint.client.top + (height - box_size) / 2;
    box.right = box.left + box_size;
    box.bottom = box.top + box_size;
    if (radio)
        draw_radio(paint.dc, box, paint.state.check != BST_UNCHECKED, paint.state.pushed,
                   paint.enabled);
    else
        draw_check_box(paint.dc, box, paint.state.check, paint.state.pushed, paint.enabled);
    RECT text_area = paint.client;
    if (left_text)
        text_area.right = box.left - 4;
    else
        text_area.left = box.right + 4;
    RECT covered;
    if (paint.style & (BS_BITMAP | BS_ICON)) {
        draw_image(paint, text_area);
        covered = text_area;
    } else {
        covered = draw_label(paint, text_area, text_format(paint.style, DT_LEFT),
                             LabelBackground::AsParentChose);
    }
    if (paint.state.focused) {
        InflateRect(&covered, 1, 1);
        IntersectRect(&covered, &covered, &paint.client);
        DrawFocusRect(paint.dc, &covered);
    }
}

void paint_group_box(const PaintContext& paint) {
    HBRUSH brush = control_brush(paint.hwnd, paint.dc, WM_CTLCOLORSTATIC);
    const std::string text = window_text(paint.hwnd);
    TEXTMETRICA metrics{};
    GetTextMetricsA(paint.dc, &metrics);
    // The frame runs through the middle of the caption's line.
    RECT frame = paint.client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(paint.dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    RECT caption{paint.client.left + 8, paint.client.top, paint.client.right - 8,
                 paint.client.top + metrics.tmHeight};
    RECT measured = caption;
    DrawTextA(paint.dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
    measured.left -= 2;
    measured.right = std::min(measured.right + 2, caption.right);
    FillRect(paint.dc, &measured, brush);
    draw_label(paint, caption, DT_SINGLELINE | DT_LEFT | DT_TOP, LabelBackground::AsParentChose);
}

void paint_owner_drawn(const PaintContext& paint) {
    DRAWITEMSTRUCT item = owner_draw_item(paint.hwnd, paint.state, paint.dc, ODA_DRAWENTIRE);
    send_draw_item(paint.hwnd, item);
}

void paint_button(HWND hwnd, HDC dc) {
    ButtonState* state = state_of(hwnd);
    if (!state)
        return;
    PaintContext paint{hwnd, dc, {}, style_of(hwnd), *state, IsWindowEnabled(hwnd) != FALSE};
    GetClientRect(hwnd, &paint.client);
    const int saved = SaveDC(dc);
    SelectObject(dc, state->font ? static_cast<HGDIOBJ>(state->font) : GetStockObject(SYSTEM_FONT));
    switch (button_kind(paint.style)) {
    case ButtonKind::Push:
        paint_push_button(paint, state->pushed || ((paint.style & BS_PUSHLIKE) && state->check));
        break;
    case ButtonKind::CheckBox:
        paint_check_or_radio(paint, false);
        break;
    case ButtonKind::Radio:
        paint_check_or_radio(paint, true);
        break;
    case ButtonKind::GroupBox:
        paint_group_box(paint);
        break;
    case ButtonKind::OwnerDraw:
        paint_owner_drawn(paint);
        break;
    }
    RestoreDC(dc, saved);
}

// ---- Messages ----

bool point_inside(HWND hwnd, LPARAM lparam) {
    RECT client;
    GetClientRect(hwnd, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != FALSE;
}

LRESULT handle_message(HWND hwnd, ButtonState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    const DWORD style = style_of(hwnd);
    const ButtonKind kind = button_kind(style);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint_button(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint_button(hwnd, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        if (kind == ButtonKind::GroupBox)
            return HTTRANSPARENT;
        break;
    case WM_GETDLGCODE:
        return dialog_code(style);
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wparam);
        if (LOWORD(lparam))
            repaint(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
        repaint(hwnd);
        return result;
    }
    case WM_SETFOCUS:
        state.focused = true;
        show_state_change(hwnd, state, ODA_FOCUS);
        if (style & BS_NOTIFY)
            notify_parent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state.focused = false;
        state.space_held = false;
        if (state.pushed && !state.mouse_tracking)
            set_pushed(hwnd, state, false);
        show_state_change(hwnd, state, ODA_FOCUS);
        if (style & BS_NOTIFY)
            notify_parent(hwnd, BN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (kind == ButtonKind::GroupBox)
            return 0;
        if (message == WM_LBUTTONDBLCLK && (style & BS_NOTIFY)) {
            notify_parent(hwnd, BN_DOUBLECLICKED);
            return 0;
        }
        SetFocus(hwnd);
        SetCapture(hwnd);
        state.mouse_tracking = true;
        set_pushed(hwnd, state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state.mouse_tracking)
            set_pushed(hwnd, state, point_inside(hwnd, lparam));
        return 0;
    case WM_LBUTTONUP:
        if (state.mouse_tracking) {
            const bool inside = point_inside(hwnd, lparam);
            state.mouse_tracking = false;
            ReleaseCapture();
            set_pushed(hwnd, state, false);
            if (inside)
                click(hwnd, state);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (state.mouse_tracking) {
            state.mouse_tracking = false;
            set_pushed(hwnd, state, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_SPACE && kind != ButtonKind::GroupBox) {
            state.space_held = true;
            set_pushed(hwnd, state, true);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wparam == VK_SPACE && state.space_held) {
            state.space_held = false;
            set_pushed(hwnd, state, false);
            click(hwnd, state);
            return 0;
        }
        break;
    case BM_CLICK:
        if (kind != ButtonKind::GroupBox && IsWindowEnabled(hwnd))
            click(hwnd, state);
        return 0;
    case BM_GETCHECK:
        return state.check;
    case BM_SETCHECK:
        set_check(hwnd, state, UINT(wparam));
        return 0;
    case BM_GETSTATE:
        return state.check | (state.pushed ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        set_pushed(hwnd, state, wparam != 0);
        return 0;
    case BM_SETSTYLE:
        SetWindowLongA(hwnd, GWL_STYLE, LONG((style & ~0xFFFFu) | (DWORD(wparam) & 0xFFFF)));
        if (lparam)
            repaint(hwnd);
        return 0;
    case BM_GETIMAGE:
        return wparam == IMAGE_ICON ? reinterpret_cast<LRESULT>(state.icon)
                                    : reinterpret_cast<LRESULT>(state.bitmap);
    case BM_SETIMAGE: {
        LRESULT previous;
        if (wparam == IMAGE_ICON) {
            previous = reinterpret_cast<LRESULT>(state.icon);
            state.icon = reinterpret_cast<HICON>(lparam);
        } else if (wparam == IMAGE_BITMAP) {
            previous = reinterpret_cast<LRESULT>(state.bitmap);
            state.bitmap = reinterpret_cast<HBITMAP>(lparam);
        } else {
            return 0;
        }
        repaint(hwnd);
        return previous;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

ButtonKind button_kind(DWORD style) {
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX)
        return ButtonKind::GroupBox;
    if (type == BS_OWNERDRAW)
        return ButtonKind::OwnerDraw;
    if (is_check_type(type))
        return style & BS_PUSHLIKE ? ButtonKind::Push : ButtonKind::CheckBox;
    if (is_radio_type(type))
        return style & BS_PUSHLIKE ? ButtonKind::Push : ButtonKind::Radio;
    return ButtonKind::Push;
}

LRESULT CALLBACK button_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<ButtonState, handle_message>(hwnd, message, wparam, lparam);
}

void register_button_class() {
    register_control_class("Button", button_window_proc);
}

} // namespace mullion
