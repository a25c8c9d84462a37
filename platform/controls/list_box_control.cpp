// The "ListBox" control: items kept sorted with LBS_SORT, single selection by mouse and
// keyboard, tab stops with LBS_USETABSTOPS, the colours its parent picks through
// WM_CTLCOLORLISTBOX, a vertical scroll bar with WS_VSCROLL, and LBN_ notifications.
#include "list_box_control.h"

#include "control_class.h"

#include "../user/dialog_manager.h"
#include "../user/system_classes.h"

#include <algorithm>
#include <cstring>

namespace mullion {

namespace {

DWORD style_of(HWND hwnd) {
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

// Text starts this far from the item's left edge, clear of the focus rectangle.
constexpr int text_margin = 2;

void notify(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

// Selection changes and double clicks are reported only to parents that asked with
// LBS_NOTIFY; focus changes always are.
void notify_if_asked(HWND hwnd, WORD code) {
    if (style_of(hwnd) & LBS_NOTIFY)
        notify(hwnd, code);
}

HFONT font_of(const ListBoxState& state) {
    return state.font ? state.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

int measure_item_height(HWND hwnd, const ListBoxState& state) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous = SelectObject(dc, font_of(state));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(hwnd, dc);
    return std::max<int>(1, metrics.tmHeight);
}

int client_height(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.bottom - client.top;
}

// Whole items that fit in the client area; at least one.
int page_size(HWND hwnd, const ListBoxState& state) {
    return std::max(1, client_height(hwnd) / state.item_height);
}

// Without LBS_NOINTEGRALHEIGHT the control is shortened to show only whole items.
void fit_integral_height(HWND hwnd, const ListBoxState& state) {
    if (style_of(hwnd) & LBS_NOINTEGRALHEIGHT)
        return;
    const int height = client_height(hwnd);
    const int excess = height % state.item_height;
    if (excess == 0 || height <= state.item_height)
        return;
    RECT window{};
    GetWindowRect(hwnd, &window);
    SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top - excess, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void update_scroll_bar(HWND hwnd, const ListBoxState& state) {
    const DWORD style = style_of(hwnd);
    if (!(style & WS_VSCROLL))
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (style & LBS_DISABLENOSCROLL)
        info.fMask |= SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, state.model.count() - 1);
    info.nPage = UINT(page_size(hwnd, state));
    info.nPos = state.model.top();
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

// Redraws everything after the items, the top index or the item height changed.
void refresh(HWND hwnd, const ListBoxState& state) {
    update_scroll_bar(hwnd, state);
    InvalidateRect(hwnd, nullptr, TRUE);
}

RECT item_rect(HWND hwnd, const ListBoxState& state, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int top = (index - state.model.top()) * state.item_height;
    return RECT{0, top, client.right, top + state.item_height};
}

// The item under a client point, or -1 below the last item.
int item_at(const ListBoxState& state, int y) {
    if (y < 0)
        return state.model.top() > 0 ? state.model.top() - 1 : 0;
    const int index = state.model.top() + y / state.item_height;
    return index < state.model.count() ? index : -1;
}

// The tab stops in pixels: dialog template units in a dialog, otherwise quarters of the
// font's average character width. None set means TabbedTextOut's default.
std::vector<INT> tab_stops_in_pixels(HWND hwnd, const ListBoxState& state) {
    std::vector<INT> pixels;
    if (state.tab_stop_units.empty())
        return pixels;
    const SIZE base = font_base_units(font_of(state));
    for (const INT units : state.tab_stop_units) {
        RECT rect{0, 0, units, 0};
        if (!MapDialogRect(GetParent(hwnd), &rect))
            rect.right = MulDiv(units, base.cx, 4);
        pixels.push_back(rect.right);
    }
    return pixels;
}

HBRUSH background_brush(HWND hwnd, HDC dc) {
    HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent) {
        const auto dc_param = reinterpret_cast<WPARAM>(dc);
        const auto control_param = reinterpret_cast<LPARAM>(hwnd);
        brush = reinterpret_cast<HBRUSH>(
            SendMessageA(parent, WM_CTLCOLORLISTBOX, dc_param, control_param));
        if (!brush)
            brush = reinterpret_cast<HBRUSH>(
                DefWindowProcA(parent, WM_CTLCOLORLISTBOX, dc_param, control_param));
    }
    return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void paint(HWND hwnd, const ListBoxState& state, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, font_of(state));
    FillRect(dc, &client, background_brush(hwnd, dc));
    SetBkMode(dc, TRANSPARENT);
    const bool enabled = IsWindowEnabled(hwnd);
    const COLORREF normal_text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    const bool tabbed = (style_of(hwnd) & LBS_USETABSTOPS) != 0;
    const std::vector<INT> stops = tabbed ? tab_stops_in_pixels(hwnd, state) : std::vector<INT>{};
    const ListBoxModel& model = state.model;
    for (int index = model.top(); index < model.count(); ++index) {
        const RECT rect = item_rect(hwnd, state, index);
        if (rect.top >= client.bottom)
            break;
        const bool selected = index == model.selection();
        if (selected) {
            FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, normal_text);
        }
        const std::string& text = model.item(index).text;
        if (tabbed)
            TabbedTextOutA(dc, text_margin, rect.top, text.c_str(), int(text.size()),
                           int(stops.size()), stops.empty() ? nullptr : stops.data(), text_margin);
        else
            TextOutA(dc, text_margin, rect.top, text.c_str(), int(text.size()));
        if (state.focused && index == model.caret())
            DrawFocusRect(dc, &rect);
    }
    RestoreDC(dc, saved);
}

// Moves the selection as a user's click or key does: scrolled into view, reported when it
// changed.
void select_by_user(HWND hwnd, ListBoxState& state, int index) {
    if (!state.model.valid(index))
        return;
    const bool changed = state.model.select(index);
    const int top = state.model.top();
    state.model.reveal(index, page_size(hwnd, state));
    if (top != state.model.top())
        update_scroll_bar(hwnd, state);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (changed)
        notify_if_asked(hwnd, LBN_SELCHANGE);
}

void handle_key(HWND hwnd, ListBoxState& state, WPARAM key) {
    const ListBoxModel& model = state.model;
    if (model.count() == 0)
        return;
    const int page = page_size(hwnd, state);
    const int caret = model.caret();
    int target = caret;
    switch (key) {
    case VK_UP:
        target = caret - 1;
        break;
    case VK_DOWN:
        target = model.selection() < 0 ? caret : caret + 1;
        break;
    case VK_PRIOR:
        target = caret - std::max(1, page - 1);
        break;
    case VK_NEXT:
        target = caret + std::max(1, page - 1);
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = model.count() - 1;
        break;
    default:
        return;
    }
    select_by_user(hwnd, state, std::clamp(target, 0, model.count() - 1));
}

void scroll_to(HWND hwnd, ListBoxState& state, int top) {
    const int previous = state.model.top();
    state.model.set_top(top, page_size(hwnd, state));
    if (state.model.top() != previous)
        refresh(hwnd, state);
}

void handle_scroll(HWND hwnd, ListBoxState& state, WPARAM wparam) {
    const int page = page_size(hwnd, state);
    const int top = state.model.top();
    switch (LOWORD(wparam)) {
    case SB_LINEUP:
        scroll_to(hwnd, state, top - 1);
        break;
    case SB_LINEDOWN:
        scroll_to(hwnd, state, top + 1);
        break;
    case SB_PAGEUP:
        scroll_to(hwnd, state, top - page);
        break;
    case SB_PAGEDOWN:
        scroll_to(hwnd, state, top + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        scroll_to(hwnd, state, HIWORD(wparam));
        break;
    case SB_TOP:
        scroll_to(hwnd, state, 0);
        break;
    case SB_BOTTOM:
        scroll_to(hwnd, state, state.model.count());
        break;
    default:
        break;
    }
}

LRESULT copy_text(const ListBoxModel& model, int index, char* buffer) {
    if (!model.valid(index))
        return LB_ERR;
    const std::string& text = model.item(index).text;
    if (buffer)
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    return LRESULT(text.size());
}

LRESULT handle_list_message(HWND hwnd, ListBoxState& state, UINT message, WPARAM wparam,
                            LPARAM lparam) {
    ListBoxModel& model = state.model;
    const int index = int(wparam);
    const auto* text = reinterpret_cast<const char*>(lparam);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const int added = message == LB_ADDSTRING ? model.add(text ? text : "")
                                                  : model.insert(index, text ? text : "");
        if (added >= 0)
            refresh(hwnd, state);
        return added;
    }
    case LB_DELETESTRING:
        if (!model.valid(index))
            return LB_ERR;
        model.remove(index);
        refresh(hwnd, state);
        return model.count();
    case LB_RESETCONTENT:
        model.clear();
        refresh(hwnd, state);
        return 0;
    case LB_GETCOUNT:
        return model.count();
    case LB_GETTEXT:
        return copy_text(model, index, reinterpret_cast<char*>(lparam));
    case LB_GETTEXTLEN:
        return model.valid(index) ? LRESULT(model.item(index).text.size()) : LB_ERR;
    case LB_GETCURSEL:
        return model.selection();
    case LB_SETCURSEL:
        if (model.select(index) || model.valid(index)) {
            model.reveal(index, page_size(hwnd, state));
            refresh(hwnd, state);
        }
        return model.valid(index) ? index : LB_ERR;
    case LB_GETSEL:
        return model.valid(index) ? (index == model.selection() ? 1 : 0) : LB_ERR;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return model.find(text ? text : "", index, message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        const int found = model.find(text ? text : "", index, false);
        if (found >= 0)
            handle_list_message(hwnd, state, LB_SETCURSEL, WPARAM(found), 0);
        return found;
    }
    case LB_GETITEMDATA:
        return model.valid(index) ? LRESULT(model.item(index).data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!model.valid(index))
            return LB_ERR;
        model.set_data(index, ULONG_PTR(lparam));
        return TRUE;
    case LB_GETTOPINDEX:
        return model.top();
    case LB_SETTOPINDEX:
        if (!model.valid(index))
            return LB_ERR;
        scroll_to(hwnd, state, index);
        return 0;
    case LB_GETCARETINDEX:
        return model.caret();
    case LB_SETCARETINDEX:
        if (!model.valid(index))
            return LB_ERR;
        model.set_caret(index);
        model.reveal(index, page_size(hwnd, state));
        refresh(hwnd, state);
        return 0;
    case LB_GETITEMHEIGHT:
        return state.item_height;
    case LB_SETITEMHEIGHT:
        if (LOWORD(lparam) == 0 || LOWORD(lparam) > 255)
            return LB_ERR;
        state.item_height = LOWORD(lparam);
        refresh(hwnd, state);
        return 0;
    case LB_GETITEMRECT:
        if (!model.valid(index) || !lparam)
            return LB_ERR;
        *reinterpret_cast<RECT*>(lparam) = item_rect(hwnd, state, index);
        return 1;
    case LB_ITEMFROMPOINT: {
        const int y = GET_Y_LPARAM(lparam);
        const int found = y >= 0 ? item_at(state, y) : -1;
        if (found < 0)
            return MAKELONG(std::max(0, model.count() - 1), 1);
        return MAKELONG(found, 0);
    }
    case LB_SETTABSTOPS: {
        if (!(style_of(hwnd) & LBS_USETABSTOPS))
            return FALSE;
        const auto* stops = reinterpret_cast<const INT*>(lparam);
        state.tab_stop_units.assign(stops, stops ? stops + wparam : stops);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LB_GETSELCOUNT:
    case LB_GETSELITEMS:
    case LB_SETSEL:
        // Multiple selection is not offered: these answer as for a single-selection list.
        return LB_ERR;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

LRESULT handle_message(HWND hwnd, ListBoxState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        state.model = ListBoxModel((style_of(hwnd) & LBS_SORT) != 0);
        state.item_height = measure_item_height(hwnd, state);
        fit_integral_height(hwnd, state);
        return 0;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wparam);
        state.item_height = measure_item_height(hwnd, state);
        fit_integral_height(hwnd, state);
        update_scroll_bar(hwnd, state);
        if (LOWORD(lparam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_SIZE:
        state.model.set_top(state.model.top(), page_size(hwnd, state));
        refresh(hwnd, state);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = wparam ? reinterpret_cast<HDC>(wparam) : BeginPaint(hwnd, &ps);
        paint(hwnd, state, dc);
        if (!wparam)
            EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        state.focused = message == WM_SETFOCUS;
        InvalidateRect(hwnd, nullptr, TRUE);
        notify(hwnd, state.focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        select_by_user(hwnd, state, item_at(state, GET_Y_LPARAM(lparam)));
        if (message == WM_LBUTTONDBLCLK) {
            notify_if_asked(hwnd, LBN_DBLCLK);
        } else {
            state.tracking = true;
            SetCapture(hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (state.tracking) {
            const int height = client_height(hwnd);
            const int y = std::min<int>(GET_Y_LPARAM(lparam), height + state.item_height - 1);
            const int target =
                y >= height ? state.model.top() + page_size(hwnd, state) : item_at(state, y);
            select_by_user(hwnd, state, std::min(target, state.model.count() - 1));
        }
        return 0;
    case WM_LBUTTONUP:
        if (state.tracking) {
            state.tracking = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        state.tracking = false;
        return 0;
    case WM_KEYDOWN:
        handle_key(hwnd, state, wparam);
        return 0;
    case WM_CHAR: {
        if (wparam < ' ')
            return 0;
        const char typed[2] = {char(wparam), '\0'};
        const int found = state.model.find(typed, state.model.caret(), false);
        if (found >= 0)
            select_by_user(hwnd, state, found);
        return 0;
    }
    case WM_VSCROLL:
        handle_scroll(hwnd, state, wparam);
        return 0;
    default:
        return handle_list_message(hwnd, state, message, wparam, lparam);
    }
}

} // namespace

LRESULT CALLBACK list_box_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<ListBoxState, handle_message>(hwnd, message, wparam, lparam);
}

void register_list_box_class() {
    register_control_class("ListBox", list_box_window_proc);
}

} // namespace mullion
