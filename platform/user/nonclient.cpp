// The default non-client handling: frame geometry, hit testing, painting, caption buttons,
// moving and sizing, the system commands and keyboard access to the menus; also
// AdjustWindowRect(Ex), GetMenu, SetMenu and DrawMenuBar.
#include "nonclient.h"

#include "menu_tracker.h"
#include "move_size.h"
#include "nonclient_layout.h"
#include "nonclient_paint.h"
#include "system_metrics.h"
#include "window_scroll_bar.h"

namespace mullion {

namespace {

// Alt went down and nothing else was pressed before it came up: the release enters menu mode.
thread_local bool lone_alt_press = false;

constexpr LPARAM alt_context_bit = LPARAM(1) << 29;

HWND top_level_of(HWND hwnd) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return root ? root : hwnd;
}

POINT point_from_lparam(LPARAM lparam) {
    return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

bool is_sizing_hit(WPARAM hit) {
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

LPCSTR cursor_for_hit(WPARAM hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

// Converts a window rectangle (in its parent's coordinates) into the client rectangle.
void window_to_client_rect(HWND hwnd, RECT& rect) {
    NonclientLayout layout = nonclient_layout(hwnd, DWORD(GetWindowLongA(hwnd, GWL_STYLE)),
                                              DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)),
                                              rect.right - rect.left, rect.bottom - rect.top);
    RECT client = layout.client;
    OffsetRect(&client, rect.left, rect.top);
    rect = client;
}

void on_system_command(HWND hwnd, WPARAM wparam, LPARAM lparam) {
    UINT command = UINT(wparam) & 0xFFF0;
    switch (command) {
    case SC_CLOSE:
        if (!(GetClassLongA(hwnd, GCL_STYLE) & CS_NOCLOSE))
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_MOVE:
    case SC_SIZE: {
        // From the mouse the low bits carry HTCAPTION (move) or the WMSZ edge (size) and the
        // position is the button press's, which the cursor may have left since.
        POINT start{};
        if (wparam & 0x000F)
            start = point_from_lparam(lparam);
        else
            GetCursorPos(&start);
        int edge = command == SC_SIZE ? int(wparam & 0x000F) : 0;
        run_move_size_loop(hwnd, command == SC_MOVE ? MoveSizeKind::Move : MoveSizeKind::Size, edge,
                           start);
        break;
    }
    case SC_KEYMENU:
        track_menu_from_keyboard(hwnd, char(lparam));
        break;
    case SC_MOUSEMENU:
        if ((wparam & 0x000F) == HTSYSMENU)
            track_system_menu_with_mouse(hwnd);
        else
            track_menu_bar_with_mouse(hwnd, point_from_lparam(lparam));
        break;
    default:
        break;
    }
}

void on_left_button_down(HWND hwnd, WPARAM hit, LPARAM lparam) {
    switch (hit) {
    case HTCAPTION:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lparam);
        break;
    case HTSYSMENU:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, lparam);
        break;
    case HTMENU:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | HTMENU, lparam);
        break;
    case HTMINBUTTON:
        if (track_caption_button(hwnd, int(hit)))
            SendMessageA(hwnd, WM_SYSCOMMAND, IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE, lparam);
        break;
    case HTMAXBUTTON:
        if (track_caption_button(hwnd, int(hit)))
            SendMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lparam);
        break;
    case HTCLOSE:
        if (track_caption_button(hwnd, int(hit)))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
        break;
    case HTVSCROLL:
    case HTHSCROLL: {
        WindowScrollBar bar(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ);
        track_scroll_bar(bar, point_from_lparam(lparam));
        break;
    }
    default:
        // Sizing borders: the WMSZ edge is the hit code's distance from HTLEFT, plus one.
        if (is_sizing_hit(hit))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + 1), lparam);
        break;
    }
}

} // namespace

RECT nonclient_insets(DWORD style, DWORD ex_style, bool has_menu) {
    int frame = frame_thickness(style, ex_style);
    int edge = (ex_style & WS_EX_CLIENTEDGE)   ? metrics::edge
               : (ex_style & WS_EX_STATICEDGE) ? metrics::border
                                               : 0;
    int caption = !has_caption(style)             ? 0
                  : (ex_style & WS_EX_TOOLWINDOW) ? metrics::small_caption
                                                  : metrics::caption;
    int side = frame + edge;
    return RECT{side, side + caption + (has_menu ? metrics::menu_bar : 0), side, side};
}

bool nonclient_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* rect = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                            : reinterpret_cast<RECT*>(lparam);
        if (rect)
            window_to_client_rect(hwnd, *rect);
        return true;
    }
    case WM_NCHITTEST:
        *result = nonclient_hit_test(hwnd, point_from_lparam(lparam));
        return true;
    case WM_NCPAINT:
        paint_nonclient(hwnd);
        return true;
    case WM_NCACTIVATE:
        set_frame_active(hwnd, wparam != 0);
        if (IsWindowVisible(hwnd))
            paint_nonclient(hwnd);
        *result = TRUE;
        return true;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        return true;
    case WM_NCLBUTTONDOWN:
        on_left_button_down(hwnd, wparam, lparam);
        return true;
    case WM_NCLBUTTONDBLCLK:
        if (wparam == HTCAPTION && (GetWindowLongA(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX))
            SendMessageA(hwnd, WM_SYSCOMMAND,
                         (IsZoomed(hwnd) || IsIconic(hwnd)) ? SC_RESTORE : SC_MAXIMIZE, lparam);
        else if (wparam == HTSYSMENU)
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
        else if (wparam == HTVSCROLL || wparam == HTHSCROLL)
            on_left_button_down(hwnd, wparam, lparam); // a second click on a scroll bar
        return true;
    case WM_SYSCOMMAND:
        on_system_command(hwnd, wparam, lparam);
        return true;
    case WM_SYSKEYDOWN:
        lone_alt_press = wparam == VK_MENU;
        if (wparam == VK_F4 && (lparam & alt_context_bit))
            SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (wparam == VK_F10)
            SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
    case WM_SYSKEYUP:
        if (wparam == VK_MENU && lone_alt_press)
            SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        lone_alt_press = false;
        return true;
    case WM_SYSCHAR:
        lone_alt_press = false;
        // Alt+Enter and Alt with control characters do not reach the menus.
        if (wparam >= ' ')
            SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wparam));
        return true;
    case WM_KEYDOWN:
        lone_alt_press = false;
        if (wparam != VK_F10)
            return false;
        SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
    case WM_SETTEXT:
        // DefWindowProc has stored the text already; the caption shows it now, and the
        // default handling goes on.
        if (has_caption(DWORD(GetWindowLongA(hwnd, GWL_STYLE))) && IsWindowVisible(hwnd))
            paint_nonclient(hwnd);
        return false;
    case WM_SETCURSOR: {
        WPARAM hit = LOWORD(lparam);
        if (reinterpret_cast<HWND>(wparam) != hwnd || hit == HTCLIENT ||
            hit == WPARAM(WORD(HTERROR)))
            return false;
        SetCursor(LoadCursorA(nullptr, cursor_for_hit(hit)));
        *result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

} // namespace mullion

using namespace mullion;

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect)
        return FALSE;
    RECT insets = nonclient_insets(dwStyle, dwExStyle, bMenu != FALSE);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

HMENU WINAPI GetMenu(HWND hWnd) {
    return window_menu(hWnd);
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
    if (!IsWindow(hWnd) || (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        return FALSE;
    if (hMenu && !IsMenu(hMenu))
        return FALSE;
    SetWindowLongPtrA(hWnd, GWLP_ID, reinterpret_cast<LONG_PTR>(hMenu));
    // The client area changes with the menu bar's presence and height.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hWnd) {
    if (!IsWindow(hWnd) || !GetMenu(hWnd))
        return FALSE;
    // Items may have been added or removed: the bar's rows, and so the client area, may change.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}
