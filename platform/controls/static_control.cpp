// The "Static" control: drawing each SS_ type, its images (SS_ICON, SS_BITMAP), the colours
// its parent picks through WM_CTLCOLORSTATIC, and STN_ notifications with SS_NOTIFY.
#include "static_control.h"

#include "control_class.h"

#include "../user/system_classes.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace mullion {

namespace {

StaticState* state_of(HWND hwnd) {
    return reinterpret_cast<StaticState*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD style_of(HWND hwnd) {
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

std::string window_text(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(size_t(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(size_t(std::max(0, length)));
    return text;
}

SIZE icon_size(HICON icon) {
    SIZE size{32, 32};
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
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

SIZE bitmap_size(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description))
        return {0, 0};
    return {description.bmWidth, description.bmHeight};
}

// Image controls take the size of their image unless they centre it.
void fit_to_image(HWND hwnd, SIZE size) {
    if ((style_of(hwnd) & SS_CENTERIMAGE) || size.cx <= 0 || size.cy <= 0)
        return;
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_icon(HWND hwnd, StaticState& state, HICON icon) {
    state.icon = icon;
    if (icon)
        fit_to_image(hwnd, icon_size(icon));
    InvalidateRect(hwnd, nullptr, TRUE);
}

void set_bitmap(HWND hwnd, StaticState& state, HBITMAP bitmap) {
    state.bitmap = bitmap;
    if (bitmap)
        fit_to_image(hwnd, bitmap_size(bitmap));
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The parent picks the brush and the DC's colours; a parent that does not answer gets the
// default handling.
HBRUSH background_brush(HWND hwnd, HDC dc) {
    HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent) {
        brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
        if (!brush)
            brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent, WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(hwnd)));
    }
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void paint_text(HWND hwnd, HDC dc, const RECT& client, DWORD style) {
    FillRect(dc, &client, background_brush(hwnd, dc));
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        format |= DT_LEFT;
        break;
    default:
        format |= DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT area = client;
    const std::string text = window_text(hwnd);
    DrawTextA(dc, text.c_str(), -1, &area, format);
}

void paint_image(HWND hwnd, HDC dc, const RECT& client, const StaticState& state, DWORD style) {
    FillRect(dc, &client, background_brush(hwnd, dc));
    const bool centre = (style & SS_CENTERIMAGE) != 0;
    if ((style & SS_TYPEMASK) == SS_ICON) {
        if (!state.icon)
            return;
        const SIZE size = icon_size(state.icon);
        const int x = centre ? (client.right - size.cx) / 2 : 0;
        const int y = centre ? (client.bottom - size.cy) / 2 : 0;
        DrawIconEx(dc, x, y, state.icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!state.bitmap)
        return;
    const SIZE size = bitmap_size(state.bitmap);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, state.bitmap);
    const int x = centre ? (client.right - size.cx) / 2 : 0;
    const int y = centre ? (client.bottom - size.cy) / 2 : 0;
    BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void paint_static(HWND hwnd, HDC dc) {
    StaticState* state = state_of(hwnd);
    if (!state)
        return;
    const DWORD style = style_of(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, state->font ? static_cast<HGDIOBJ>(state->font) : GetStockObject(SYSTEM_FONT));
    RECT edge = client;
    switch (style & SS_TYPEMASK) {
    case SS_ICON:
    case SS_BITMAP:
        paint_image(hwnd, dc, client, *state, style);
        break;
    // The filled rectangles and frames use the window frame, desktop and window colours.
    case SS_BLACKRECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    case SS_GRAYRECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_BACKGROUND));
        break;
    case SS_WHITERECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        break;
    case SS_BLACKFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    case SS_GRAYFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_BACKGROUND));
        break;
    case SS_WHITEFRAME:
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        break;
    case SS_ETCHEDHORZ:
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        break;
    case SS_OWNERDRAW: {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_STATIC;
        item.CtlID = UINT(GetDlgCtrlID(hwnd));
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
        item.hwndItem = hwnd;
        item.hDC = dc;
        item.rcItem = client;
        if (HWND parent = GetParent(hwnd))
            SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        break;
    }
    default:
        paint_text(hwnd, dc, client, style);
        break;
    }
    if (style & SS_SUNKEN) {
        RECT border = client;
        DrawEdge(dc, &border, BDR_SUNKENOUTER, BF_RECT);
    }
    RestoreDC(dc, saved);
}

// SS_ICON and SS_BITMAP controls name their image in their text: "#id" or a resource name.
void load_image_from_text(HWND hwnd, StaticState& state, const CREATESTRUCTA& create) {
    const DWORD type = create.style & SS_TYPEMASK;
    if ((type != SS_ICON && type != SS_BITMAP) || !create.lpszName || !create.lpszName[0])
        return;
    HINSTANCE instance = create.hInstance ? create.hInstance : GetModuleHandleA(nullptr);
    if (type == SS_ICON) {
        HICON icon = LoadIconA(instance, create.lpszName);
        if (!icon && create.lpszName[0] == '#')
            icon = LoadIconA(nullptr, MAKEINTRESOURCEA(atoi(create.lpszName + 1)));
        set_icon(hwnd, state, icon);
    } else {
        set_bitmap(hwnd, state, LoadBitmapA(instance, create.lpszName));
    }
}

void notify_parent(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

LRESULT handle_message(HWND hwnd, StaticState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    const DWORD style = style_of(hwnd);
    const DWORD type = style & SS_TYPEMASK;
    switch (message) {
    case WM_CREATE:
        load_image_from_text(hwnd, state, *reinterpret_cast<const CREATESTRUCTA*>(lparam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint_static(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint_static(hwnd, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        // Static controls let the mouse through to their parent unless they notify.
        return (style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        if (style & SS_NOTIFY)
            notify_parent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (style & SS_NOTIFY)
            notify_parent(hwnd, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        if (style & SS_NOTIFY)
            notify_parent(hwnd, wparam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wparam);
        if (LOWORD(lparam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case STM_SETICON: {
        const auto previous = reinterpret_cast<LRESULT>(state.icon);
        set_icon(hwnd, state, reinterpret_cast<HICON>(wparam));
        return previous;
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(state.icon);
    case STM_SETIMAGE: {
        if (wparam == IMAGE_ICON && type == SS_ICON) {
            const auto previous = reinterpret_cast<LRESULT>(state.icon);
            set_icon(hwnd, state, reinterpret_cast<HICON>(lparam));
            return previous;
        }
        if (wparam == IMAGE_BITMAP && type == SS_BITMAP) {
            const auto previous = reinterpret_cast<LRESULT>(state.bitmap);
            set_bitmap(hwnd, state, reinterpret_cast<HBITMAP>(lparam));
            return previous;
        }
        return 0;
    }
    case STM_GETIMAGE:
        return wparam == IMAGE_ICON ? reinterpret_cast<LRESULT>(state.icon)
                                    : reinterpret_cast<LRESULT>(state.bitmap);
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

LRESULT CALLBACK static_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<StaticState, handle_message>(hwnd, message, wparam, lparam);
}

void register_static_class() {
    register_control_class("Static", static_window_proc);
}

} // namespace mullion
