// The tab control ("SysTabControl32"): items and their selection (TCM_ messages), tabs sized to
// their text, the classic 3-D look with the selected tab raised and joined to the frame, and
// selection by mouse and keyboard announced to the parent with TCN_SELCHANGING (which may
// refuse the change) and TCN_SELCHANGE.
#include "tab_control.h"

#include "control_class.h"

#include "../user/system_classes.h"

#include "commctrl.h"

#include <algorithm>
#include <cstring>

namespace mullion {

namespace {

DWORD style_of(HWND hwnd) {
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

HFONT font_of(const TabState& state) {
    return state.font ? state.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

bool valid_index(const TabState& state, WPARAM index) {
    return INT_PTR(index) >= 0 && size_t(index) < state.items.size();
}

void repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT notify_parent(HWND hwnd, UINT code) {
    HWND parent = GetParent(hwnd);
    if (!parent)
        return 0;
    NMHDR header{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), code};
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// A selection the user asks for: the parent may refuse it while handling TCN_SELCHANGING.
void select_by_user(HWND hwnd, TabState& state, int index) {
    if (index < 0 || size_t(index) >= state.items.size() || index == state.selected)
        return;
    if (notify_parent(hwnd, TCN_SELCHANGING))
        return;
    // The parent may have changed the items while handling the notification.
    if (size_t(index) >= state.items.size())
        return;
    state.selected = index;
    repaint(hwnd);
    notify_parent(hwnd, TCN_SELCHANGE);
}

void fill_item(const TabItem& item, TCITEMA& out) {
    if (out.mask & TCIF_TEXT) {
        if (out.pszText && out.cchTextMax > 0) {
            const size_t copied = std::min(item.text.size(), size_t(out.cchTextMax - 1));
            std::memcpy(out.pszText, item.text.data(), copied);
            out.pszText[copied] = '\0';
        }
    }
    if (out.mask & TCIF_IMAGE)
        out.iImage = item.image;
    if (out.mask & TCIF_PARAM)
        out.lParam = item.param;
    if (out.mask & TCIF_STATE)
        out.dwState = item.state & out.dwStateMask;
}

void apply_item(const TCITEMA& in, TabItem& item) {
    if ((in.mask & TCIF_TEXT) && in.pszText)
        item.text = in.pszText;
    if (in.mask & TCIF_IMAGE)
        item.image = in.iImage;
    if (in.mask & TCIF_PARAM)
        item.param = in.lParam;
    if (in.mask & TCIF_STATE)
        item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

LRESULT insert_item(HWND hwnd, TabState& state, WPARAM index, const TCITEMA* description) {
    if (!description || INT_PTR(index) < 0)
        return -1;
    TabItem item;
    apply_item(*description, item);
    const size_t at = std::min(size_t(index), state.items.size());
    state.items.insert(state.items.begin() + ptrdiff_t(at), std::move(item));
    // The first item becomes the selection; later ones keep the selected item selected.
    if (state.selected < 0)
        state.selected = 0;
    else if (int(at) <= state.selected)
        ++state.selected;
    repaint(hwnd);
    return LRESULT(at);
}

LRESULT delete_item(HWND hwnd, TabState& state, WPARAM index) {
    if (!valid_index(state, index))
        return FALSE;
    state.items.erase(state.items.begin() + ptrdiff_t(index));
    if (state.selected == int(index))
        state.selected = -1;
    else if (state.selected > int(index))
        --state.selected;
    repaint(hwnd);
    return TRUE;
}

// TCM_ADJUSTRECT: between the control's window rectangle and its display area.
void adjust_rect(HWND hwnd, const TabState& state, bool larger, RECT& rect) {
    const int top = TabLayout(hwnd, state).row_bottom() + TabLayout::frame_margin;
    const int side = TabLayout::frame_margin;
    if (larger) {
        rect.left -= side;
        rect.right += side;
        rect.top -= top;
        rect.bottom += side;
    } else {
        rect.left += side;
        rect.right -= side;
        rect.top += top;
        rect.bottom -= side;
    }
}

// ---- Drawing ----

// The outline of a tab: highlight on the left and top with the corners cut, shadow on the
// right. The bottom stays open; the selected tab covers the frame's top edge there.
void draw_tab_outline(HDC dc, RECT tab) {
    HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    HGDIOBJ previous = SelectObject(dc, highlight);
    MoveToEx(dc, tab.left, tab.bottom - 1, nullptr);
    LineTo(dc, tab.left, tab.top + 2);
    LineTo(dc, tab.left + 2, tab.top);
    LineTo(dc, tab.right - 2, tab.top);
    SelectObject(dc, dark);
    MoveToEx(dc, tab.right - 2, tab.top + 1, nullptr);
    LineTo(dc, tab.right - 1, tab.top + 2);
    LineTo(dc, tab.right - 1, tab.bottom);
    SelectObject(dc, shadow);
    MoveToEx(dc, tab.right - 2, tab.top + 2, nullptr);
    LineTo(dc, tab.right - 2, tab.bottom);
    SelectObject(dc, previous);
    DeleteObject(highlight);
    DeleteObject(shadow);
    DeleteObject(dark);
}

// Draws the label centred in the tab; returns the rectangle the text covers.
RECT draw_label(HDC dc, const std::string& text, RECT tab, bool enabled) {
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &bounds, DT_SINGLELINE | DT_CALCRECT);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    RECT label{tab.left + (tab.right - tab.left - width) / 2,
               tab.top + (tab.bottom - tab.top - height) / 2, 0, 0};
    label.right = label.left + width;
    label.bottom = label.top + height;
    SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_NOCLIP);
    } else {
        RECT shifted = label;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text.c_str(), -1, &shifted, DT_SINGLELINE | DT_NOCLIP);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_NOCLIP);
    }
    return label;
}

void paint_tabs(HWND hwnd, HDC dc, const TabState& state) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, font_of(state));
    const TabLayout layout(hwnd, state);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    RECT frame{client.left, layout.row_bottom(), client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);

    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const auto& rects = layout.item_rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (int(i) == state.selected)
            continue;
        draw_tab_outline(dc, rects[i]);
        draw_label(dc, state.items[i].text, rects[i], enabled);
    }
    if (state.selected >= 0 && size_t(state.selected) < rects.size()) {
        // The selected tab rises above the others, overlaps its neighbours and runs into the
        // display area, erasing the frame's top edge beneath it.
        RECT raised = rects[size_t(state.selected)];
        raised.left -= 2;
        raised.right += 2;
        raised.top -= TabLayout::top_margin;
        raised.bottom += 2;
        RECT face{raised.left + 1, raised.top + 1, raised.right - 1, raised.bottom};
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
        draw_tab_outline(dc, raised);
        RECT text_area = raised;
        text_area.bottom -= 2;
        RECT label = draw_label(dc, state.items[size_t(state.selected)].text, text_area, enabled);
        if (state.focused) {
            InflateRect(&label, 2, 1);
            DrawFocusRect(dc, &label);
        }
    }
    RestoreDC(dc, saved);
}

bool control_key_down() {
    return GetKeyState(VK_CONTROL) < 0;
}

bool shift_key_down() {
    return GetKeyState(VK_SHIFT) < 0;
}

void handle_key(HWND hwnd, TabState& state, WPARAM key, LPARAM flags) {
    HWND parent = GetParent(hwnd);
    if (parent) {
        NMTCKEYDOWN notification{
            {hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), TCN_KEYDOWN}, WORD(key), UINT(flags)};
        SendMessageA(parent, WM_NOTIFY, notification.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&notification));
    }
    const int count = int(state.items.size());
    if (count == 0)
        return;
    switch (key) {
    case VK_LEFT:
        select_by_user(hwnd, state, state.selected - 1);
        break;
    case VK_RIGHT:
        select_by_user(hwnd, state, state.selected + 1);
        break;
    case VK_TAB:
        // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs.
        if (control_key_down()) {
            const int step = shift_key_down() ? count - 1 : 1;
            select_by_user(hwnd, state, (std::max(state.selected, 0) + step) % count);
        }
        break;
    default:
        break;
    }
}

bool wants_control_tab(const MSG* message) {
    return message && message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
           control_key_down();
}

LRESULT handle_message(HWND hwnd, TabState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case TCM_GETITEMCOUNT:
        return LRESULT(state.items.size());
    case TCM_INSERTITEMA:
        return insert_item(hwnd, state, wparam, reinterpret_cast<const TCITEMA*>(lparam));
    case TCM_DELETEITEM:
        return delete_item(hwnd, state, wparam);
    case TCM_DELETEALLITEMS:
        state.items.clear();
        state.selected = -1;
        repaint(hwnd);
        return TRUE;
    case TCM_GETITEMA: {
        auto* out = reinterpret_cast<TCITEMA*>(lparam);
        if (!out || !valid_index(state, wparam))
            return FALSE;
        fill_item(state.items[wparam], *out);
        return TRUE;
    }
    case TCM_SETITEMA: {
        const auto* in = reinterpret_cast<const TCITEMA*>(lparam);
        if (!in || !valid_index(state, wparam))
            return FALSE;
        apply_item(*in, state.items[wparam]);
        repaint(hwnd);
        return TRUE;
    }
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS:
        return state.selected;
    case TCM_SETCURSEL: {
        // A programmatic selection: no notifications.
        if (!valid_index(state, wparam))
            return -1;
        const int previous = state.selected;
        state.selected = int(wparam);
        if (previous != state.selected)
            repaint(hwnd);
        return previous;
    }
    case TCM_SETCURFOCUS:
        select_by_user(hwnd, state, int(INT_PTR(wparam)));
        return 0;
    case TCM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lparam);
        if (!rect || !valid_index(state, wparam))
            return FALSE;
        *rect = TabLayout(hwnd, state).item_rects()[wparam];
        return TRUE;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lparam);
        if (!info)
            return -1;
        const int hit = TabLayout(hwnd, state).hit_test(info->pt);
        info->flags = hit < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
        return hit;
    }
    case TCM_ADJUSTRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lparam))
            adjust_rect(hwnd, state, wparam != 0, *rect);
        return 0;
    case TCM_GETROWCOUNT:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint_tabs(hwnd, dc, state);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint_tabs(hwnd, reinterpret_cast<HDC>(wparam), state);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wparam);
        if (LOWORD(lparam))
            repaint(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_GETDLGCODE: {
        const auto* pending = reinterpret_cast<const MSG*>(lparam);
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (wants_control_tab(pending) ? DLGC_WANTTAB : 0);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        state.focused = message == WM_SETFOCUS;
        repaint(hwnd);
        return 0;
    case WM_ENABLE:
        repaint(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        const int hit = TabLayout(hwnd, state).hit_test(point);
        if (hit < 0)
            return 0;
        const DWORD style = style_of(hwnd);
        if ((style & TCS_FOCUSONBUTTONDOWN) && !(style & TCS_FOCUSNEVER))
            SetFocus(hwnd);
        select_by_user(hwnd, state, hit);
        return 0;
    }
    case WM_LBUTTONUP:
        notify_parent(hwnd, NM_CLICK);
        return 0;
    case WM_KEYDOWN:
        handle_key(hwnd, state, wparam, lparam);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

TabLayout::TabLayout(HWND hwnd, const TabState& state) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous = SelectObject(dc, font_of(state));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int tab_height = metrics.tmHeight + 2 * vertical_padding + 2;
    m_row_bottom = top_margin + tab_height;
    int x = top_margin;
    for (const TabItem& item : state.items) {
        RECT text{0, 0, 0, 0};
        DrawTextA(dc, item.text.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
        const int width = (text.right - text.left) + 2 * horizontal_padding;
        m_item_rects.push_back(RECT{x, top_margin, x + width, m_row_bottom});
        x += width;
    }
    SelectObject(dc, previous);
    ReleaseDC(hwnd, dc);
}

int TabLayout::hit_test(POINT point) const {
    for (size_t i = 0; i < m_item_rects.size(); ++i)
        if (PtInRect(&m_item_rects[i], point))
            return int(i);
    return -1;
}

LRESULT CALLBACK tab_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return control_window_proc<TabState, handle_message>(hwnd, message, wparam, lparam);
}

void register_tab_class() {
    register_control_class(WC_TABCONTROLA, tab_window_proc);
}

} // namespace mullion
