// Moving and sizing windows with the mouse or keyboard, and pressing caption buttons.
#include "move_size.h"

#include "nonclient_layout.h"
#include "nonclient_paint.h"
#include "system_metrics.h"

#include <algorithm>

namespace mullion {

namespace {

constexpr int WMSZ_LEFT = 1;
constexpr int WMSZ_RIGHT = 2;
constexpr int WMSZ_TOP = 3;
constexpr int WMSZ_TOPLEFT = 4;
constexpr int WMSZ_TOPRIGHT = 5;
constexpr int WMSZ_BOTTOM = 6;
constexpr int WMSZ_BOTTOMLEFT = 7;
constexpr int WMSZ_BOTTOMRIGHT = 8;
constexpr int keyboard_step = 8;

// The size limits the window accepts, starting from the system's defaults.
MINMAXINFO query_min_max(HWND hwnd) {
    MINMAXINFO info{};
    int frame = frame_thickness(DWORD(GetWindowLongA(hwnd, GWL_STYLE)),
                                DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)));
    info.ptMaxSize =
        POINT{GetSystemMetrics(SM_CXSCREEN) + 2 * frame, GetSystemMetrics(SM_CYSCREEN) + 2 * frame};
    info.ptMaxPosition = POINT{-frame, -frame};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXSCREEN) + 2 * frame + 4,
                                GetSystemMetrics(SM_CYSCREEN) + 2 * frame + 4};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

// The window rectangle in the coordinates SetWindowPos takes (the parent's client area for
// child windows, the screen otherwise).
RECT to_parent_coordinates(HWND hwnd, RECT rect) {
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        return rect;
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT sized_rect(const RECT& original, int edge, POINT delta, const MINMAXINFO& limits) {
    RECT rect = original;
    bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    auto clamp_width = [&](int width) {
        return std::clamp(width, int(limits.ptMinTrackSize.x),
                          std::max(int(limits.ptMinTrackSize.x), int(limits.ptMaxTrackSize.x)));
    };
    auto clamp_height = [&](int height) {
        return std::clamp(height, int(limits.ptMinTrackSize.y),
                          std::max(int(limits.ptMinTrackSize.y), int(limits.ptMaxTrackSize.y)));
    };
    if (left)
        rect.left = original.right - clamp_width(original.right - original.left - delta.x);
    if (right)
        rect.right = original.left + clamp_width(original.right - original.left + delta.x);
    if (top)
        rect.top = original.bottom - clamp_height(original.bottom - original.top - delta.y);
    if (bottom)
        rect.bottom = original.top + clamp_height(original.bottom - original.top + delta.y);
    return rect;
}

void place_window(HWND hwnd, const RECT& screen_rect) {
    RECT rect = to_parent_coordinates(hwnd, screen_rect);
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

bool mouse_message_in_screen(const MSG& msg, UINT& client_message, POINT& screen_point) {
    screen_point = POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        client_message = msg.message;
        ClientToScreen(msg.hwnd, &screen_point);
        return true;
    }
    if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCRBUTTONDBLCLK) {
        client_message = msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
        return true;
    }
    return false;
}

void run_move_size_loop(HWND hwnd, MoveSizeKind kind, int size_edge, POINT start) {
    DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    if (style & (WS_MAXIMIZE | WS_MINIMIZE) && kind == MoveSizeKind::Size)
        return;
    if (kind == MoveSizeKind::Size && size_edge == 0)
        size_edge = WMSZ_BOTTOMRIGHT;
    RECT original{};
    GetWindowRect(hwnd, &original);
    MINMAXINFO limits = query_min_max(hwnd);
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    POINT delta{0, 0};
    RECT current = original;
    bool done = false;
    auto follow = [&] {
        RECT target = original;
        if (kind == MoveSizeKind::Move) {
            OffsetRect(&target, delta.x, delta.y);
            SendMessageA(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&target));
        } else {
            target = sized_rect(original, size_edge, delta, limits);
            SendMessageA(hwnd, WM_SIZING, WPARAM(size_edge), reinterpret_cast<LPARAM>(&target));
        }
        if (!EqualRect(&target, &current)) {
            current = target;
            place_window(hwnd, current);
        }
    };
    MSG msg{};
    while (!done && GetCapture() == hwnd) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            // Leave the quit message for the loop that owns it.
            PostQuitMessage(int(msg.wParam));
            break;
        }
        UINT mouse_message = 0;
        POINT p{};
        if (mouse_message_in_screen(msg, mouse_message, p)) {
            delta = POINT{p.x - start.x, p.y - start.y};
            if (mouse_message == WM_MOUSEMOVE)
                follow();
            else if (mouse_message == WM_LBUTTONUP) {
                follow();
                done = true;
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            switch (msg.wParam) {
            case VK_ESCAPE:
                if (!EqualRect(&current, &original))
                    place_window(hwnd, original);
                done = true;
                break;
            case VK_RETURN:
                done = true;
                break;
            case VK_LEFT:
                delta.x -= keyboard_step;
                follow();
                break;
            case VK_RIGHT:
                delta.x += keyboard_step;
                follow();
                break;
            case VK_UP:
                delta.y -= keyboard_step;
                follow();
                break;
            case VK_DOWN:
                delta.y += keyboard_step;
                follow();
                break;
            default:
                break;
            }
            continue;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR ||
            msg.message == WM_SYSCHAR)
            continue;
        DispatchMessageA(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool track_caption_button(HWND hwnd, int hit_code) {
    CaptionButton button = hit_code == HTCLOSE       ? CaptionButton::Close
                           : hit_code == HTMAXBUTTON ? CaptionButton::Maximize
                           : hit_code == HTMINBUTTON ? CaptionButton::Minimize
                                                     : CaptionButton::None;
    if (button == CaptionButton::None || !caption_button_enabled(hwnd, button))
        return false;
    bool pressed = true;
    paint_nonclient(hwnd, button);
    SetCapture(hwnd);
    bool released = false;
    MSG msg{};
    while (!released && GetCapture() == hwnd) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        UINT mouse_message = 0;
        POINT p{};
        if (mouse_message_in_screen(msg, mouse_message, p)) {
            bool over = nonclient_hit_test(hwnd, p) == hit_code;
            if (over != pressed) {
                pressed = over;
                paint_nonclient(hwnd, pressed ? button : CaptionButton::None);
            }
            if (mouse_message == WM_LBUTTONUP)
                released = true;
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            pressed = false;
            break;
        }
        DispatchMessageA(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        paint_nonclient(hwnd, CaptionButton::None);
    return released && pressed;
}

} // namespace mullion
