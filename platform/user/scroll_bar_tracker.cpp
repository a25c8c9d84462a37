#include "scroll_bar_tracker.h"

#include "move_size.h"

namespace mullion {

namespace {

// A timer identifier applications do not use, on the capturing window.
constexpr UINT_PTR repeat_timer = 0xFFF5;
// The first repetition waits longer, so that a click scrolls once.
constexpr UINT first_repeat_delay_ms = 400;
constexpr UINT repeat_interval_ms = 50;

bool part_disabled(ScrollBarPart part, UINT disabled_arrows) {
    if (part == ScrollBarPart::FirstArrow)
        return (disabled_arrows & ESB_DISABLE_LTUP) != 0;
    if (part == ScrollBarPart::LastArrow)
        return (disabled_arrows & ESB_DISABLE_RTDN) != 0;
    return false;
}

// Waits for the next message the tracking cares about; false when the tracking must end
// (quit message, capture lost).
bool next_message(HWND capture, MSG& msg) {
    if (GetCapture() != capture)
        return false;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        // Leave the quit message for the loop that owns it.
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    return true;
}

void track_thumb(ScrollBarHost& host, POINT start) {
    const HWND capture = host.window();
    ScrollBarGeometry geometry = host.geometry();
    const RECT thumb = geometry.thumb();
    const RECT track = geometry.track();
    // Where in the thumb the mouse holds it, so that the thumb keeps that point under the mouse.
    const int grab = geometry.along(start) - geometry.along(POINT{thumb.left, thumb.top});
    const int track_start = geometry.along(POINT{track.left, track.top});
    int position = geometry.position_for_thumb_offset(geometry.along(POINT{thumb.left, thumb.top}) -
                                                      track_start);
    host.begin_tracking(position);
    host.paint(ScrollBarPart::Thumb);
    MSG msg{};
    while (next_message(capture, msg)) {
        UINT mouse = 0;
        POINT screen{};
        if (!mouse_message_in_screen(msg, mouse, screen)) {
            if (msg.message != WM_TIMER || msg.hwnd != capture) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }
        const POINT p = host.from_screen(screen);
        const int wanted =
            geometry.position_for_thumb_offset(geometry.along(p) - grab - track_start);
        if (wanted != position) {
            position = wanted;
            host.set_track_position(position);
            host.paint(ScrollBarPart::Thumb);
            host.notify(SB_THUMBTRACK, position);
        }
        if (mouse == WM_LBUTTONUP)
            break;
    }
    ReleaseCapture();
    host.notify(SB_THUMBPOSITION, position);
    host.end_tracking();
    host.notify(SB_ENDSCROLL, 0);
    host.paint(ScrollBarPart::None);
}

void track_button(ScrollBarHost& host, ScrollBarPart part, POINT start) {
    const HWND capture = host.window();
    const WORD code = WORD(scroll_code_for_part(part));
    bool pressed = true;
    host.paint(part);
    host.notify(code, 0);
    SetTimer(capture, repeat_timer, first_repeat_delay_ms, nullptr);
    POINT mouse_at = start;
    MSG msg{};
    while (next_message(capture, msg)) {
        UINT mouse = 0;
        POINT screen{};
        if (mouse_message_in_screen(msg, mouse, screen)) {
            mouse_at = host.from_screen(screen);
            if (mouse == WM_LBUTTONUP)
                break;
        } else if (msg.message == WM_TIMER && msg.hwnd == capture && msg.wParam == repeat_timer) {
            SetTimer(capture, repeat_timer, repeat_interval_ms, nullptr);
            // A page part shrinks as the thumb moves towards the mouse: repetition stops once
            // the thumb has reached it.
            if (pressed)
                host.notify(code, 0);
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        const bool over = host.geometry().hit_test(mouse_at) == part;
        if (over != pressed || msg.message == WM_TIMER) {
            pressed = over;
            host.paint(pressed ? part : ScrollBarPart::None);
        }
    }
    KillTimer(capture, repeat_timer);
    ReleaseCapture();
    host.notify(SB_ENDSCROLL, 0);
    host.paint(ScrollBarPart::None);
}

} // namespace

int scroll_code_for_part(ScrollBarPart part) {
    switch (part) {
    case ScrollBarPart::FirstArrow:
        return SB_LINEUP;
    case ScrollBarPart::LastArrow:
        return SB_LINEDOWN;
    case ScrollBarPart::FirstPage:
        return SB_PAGEUP;
    case ScrollBarPart::LastPage:
        return SB_PAGEDOWN;
    default:
        return -1;
    }
}

void track_scroll_bar(ScrollBarHost& host, POINT screen_point) {
    const POINT start = host.from_screen(screen_point);
    const ScrollBarPart part = host.geometry().hit_test(start);
    if (part == ScrollBarPart::None || part_disabled(part, host.disabled_arrows()))
        return;
    SetCapture(host.window());
    if (part == ScrollBarPart::Thumb)
        track_thumb(host, start);
    else
        track_button(host, part, start);
}

} // namespace mullion
