// The geometry of the classic frame and the hit-test codes of its parts.
#include "nonclient_layout.h"

#include "menu_drawing.h"
#include "system_metrics.h"

namespace mullion {

namespace {

// The caption buttons are smaller than SM_CXSIZE x SM_CYSIZE: 2 pixels narrower, 4 lower.
constexpr int button_width = metrics::caption_button - 2;
constexpr int button_height = metrics::caption_button - 4;

int client_edge_thickness(DWORD ex_style) {
    return (ex_style & WS_EX_CLIENTEDGE)   ? metrics::edge
           : (ex_style & WS_EX_STATICEDGE) ? metrics::border
                                           : 0;
}

int caption_height(DWORD ex_style) {
    return (ex_style & WS_EX_TOOLWINDOW) ? metrics::small_caption : metrics::caption;
}

// The standard scroll bars take their width from the client area's right and bottom edges, as
// long as the area is wide (high) enough to hold them.
void place_scroll_bars(NonclientLayout& layout) {
    RECT& client = layout.client;
    const bool vertical =
        (layout.style & WS_VSCROLL) && client.right - client.left >= metrics::scroll_bar;
    const bool horizontal =
        (layout.style & WS_HSCROLL) && client.bottom - client.top >= metrics::scroll_bar;
    if (vertical) {
        layout.vertical_scroll =
            RECT{client.right - metrics::scroll_bar, client.top, client.right, client.bottom};
        client.right -= metrics::scroll_bar;
    }
    if (horizontal) {
        layout.horizontal_scroll =
            RECT{client.left, client.bottom - metrics::scroll_bar, client.right, client.bottom};
        client.bottom -= metrics::scroll_bar;
    }
    if (vertical && horizontal) {
        layout.vertical_scroll.bottom = client.bottom;
        layout.size_box = RECT{client.right, client.bottom, layout.vertical_scroll.right,
                               layout.horizontal_scroll.bottom};
    }
}

} // namespace

int frame_thickness(DWORD style, DWORD ex_style) {
    if (style & WS_THICKFRAME)
        return metrics::sizing_frame;
    if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
        return metrics::dialog_frame;
    if (style & WS_BORDER)
        return metrics::border;
    return 0;
}

bool has_caption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

HMENU window_menu(HWND hwnd) {
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)
        return nullptr;
    HMENU menu = reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, GWLP_ID));
    return IsMenu(menu) ? menu : nullptr;
}

NonclientLayout nonclient_layout(HWND hwnd, DWORD style, DWORD ex_style, int width, int height) {
    NonclientLayout layout;
    layout.style = style;
    layout.ex_style = ex_style;
    layout.window = RECT{0, 0, width, height};
    layout.frame = frame_thickness(style, ex_style);
    bool minimized = (style & WS_MINIMIZE) != 0;
    layout.sizable = (style & WS_THICKFRAME) && !minimized && !(style & WS_MAXIMIZE);
    RECT inner = layout.window;
    InflateRect(&inner, -layout.frame, -layout.frame);
    int top = inner.top;
    if (has_caption(style)) {
        int height_with_line = caption_height(ex_style);
        layout.caption = RECT{inner.left, top, inner.right, top + height_with_line - 1};
        top += height_with_line;
        const RECT& caption = layout.caption;
        bool small = (ex_style & WS_EX_TOOLWINDOW) != 0;
        int button_w = small ? height_with_line - 3 : button_width;
        int button_h = small ? height_with_line - 5 : button_height;
        int button_top = caption.top + 2;
        if (style & WS_SYSMENU) {
            layout.close_button = RECT{caption.right - 2 - button_w, button_top, caption.right - 2,
                                       button_top + button_h};
            if (!small && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
                // Both boxes show when either style asks for one; the other is disabled.
                int right = layout.close_button.left - 2;
                layout.maximize_button =
                    RECT{right - button_w, button_top, right, button_top + button_h};
                layout.minimize_button =
                    RECT{right - 2 * button_w, button_top, right - button_w, button_top + button_h};
            }
            // Modal-frame dialogs and tool windows show no icon.
            if (!small && !(ex_style & WS_EX_DLGMODALFRAME))
                layout.system_icon =
                    RECT{caption.left + 1, caption.top + 1, caption.left + 1 + metrics::small_icon,
                         caption.top + 1 + metrics::small_icon};
        }
    }
    HMENU menu = window_menu(hwnd);
    if (menu && !minimized) {
        layout.menu = menu;
        int bar_height = layout_menu_bar(menu, std::max(0, int(inner.right - inner.left)), hwnd);
        layout.menu_bar = RECT{inner.left, top, inner.right, top + bar_height};
        top += bar_height;
    }
    int edge = client_edge_thickness(ex_style);
    layout.client = RECT{inner.left + edge, top + edge, inner.right - edge, inner.bottom - edge};
    if (minimized || layout.client.bottom < layout.client.top)
        layout.client.bottom = layout.client.top;
    if (layout.client.right < layout.client.left)
        layout.client.right = layout.client.left;
    if (!minimized)
        place_scroll_bars(layout);
    return layout;
}

NonclientLayout nonclient_layout(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    return nonclient_layout(hwnd, DWORD(GetWindowLongA(hwnd, GWL_STYLE)),
                            DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)), window.right - window.left,
                            window.bottom - window.top);
}

LRESULT nonclient_hit_test(HWND hwnd, POINT screen_point) {
    RECT window{};
    if (!GetWindowRect(hwnd, &window) || !PtInRect(&window, screen_point))
        return HTNOWHERE;
    NonclientLayout layout = nonclient_layout(hwnd);
    POINT p{screen_point.x - window.left, screen_point.y - window.top};
    if (PtInRect(&layout.client, p))
        return HTCLIENT;
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    bool in_border = p.x < layout.frame || p.y < layout.frame || p.x >= width - layout.frame ||
                     p.y >= height - layout.frame;
    if (in_border) {
        if (!layout.sizable)
            return HTBORDER;
        // Near a corner (within a caption button plus the frame along either edge) the border
        // sizes both ways.
        int corner = metrics::caption_button + metrics::sizing_frame;
        bool left = p.x < corner, right = p.x >= width - corner;
        bool top = p.y < corner, bottom = p.y >= height - corner;
        if (p.y < layout.frame)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (p.y >= height - layout.frame)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (p.x < layout.frame)
            return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (PtInRect(&layout.system_icon, p))
        return HTSYSMENU;
    if (PtInRect(&layout.close_button, p))
        return HTCLOSE;
    if (PtInRect(&layout.maximize_button, p))
        return HTMAXBUTTON;
    if (PtInRect(&layout.minimize_button, p))
        return HTMINBUTTON;
    RECT caption_with_line = layout.caption;
    if (!IsRectEmpty(&caption_with_line))
        caption_with_line.bottom += 1;
    if (PtInRect(&caption_with_line, p))
        return HTCAPTION;
    if (PtInRect(&layout.menu_bar, p))
        return HTMENU;
    if (PtInRect(&layout.vertical_scroll, p))
        return HTVSCROLL;
    if (PtInRect(&layout.horizontal_scroll, p))
        return HTHSCROLL;
    return HTBORDER;
}

} // namespace mullion
