// Drawing the classic 3-D frame: raised outer edge, border, caption, caption buttons, menu bar
// and client edge.
#include "nonclient_paint.h"

#include "nonclient_layout.h"
#include "system_metrics.h"
#include "window_scroll_bar.h"

#include <map>
#include <mutex>

namespace mullion {

namespace {

struct FrameState {
    bool active = false;
    int bar_selection = -1;
    BarSelection bar_how = BarSelection::None;
};

std::mutex& frame_states_lock() {
    static std::mutex lock;
    return lock;
}

std::map<HWND, FrameState>& frame_states() {
    static std::map<HWND, FrameState> states;
    return states;
}

// The window's recorded state; windows not seen yet take their activation from the system.
FrameState frame_state(HWND hwnd) {
    {
        std::lock_guard lock(frame_states_lock());
        auto found = frame_states().find(hwnd);
        if (found != frame_states().end())
            return found->second;
    }
    FrameState state;
    state.active = GetActiveWindow() == hwnd;
    return state;
}

template <class Change> void update_frame_state(HWND hwnd, Change change) {
    FrameState state = frame_state(hwnd);
    change(state);
    std::lock_guard lock(frame_states_lock());
    auto& states = frame_states();
    if (!states.contains(hwnd))
        std::erase_if(states, [](const auto& entry) { return !IsWindow(entry.first); });
    states[hwnd] = state;
}

void draw_caption_button(HDC dc, const RECT& box, Glyph glyph, bool pressed, bool enabled) {
    if (IsRectEmpty(&box))
        return;
    RECT face = box;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT glyph_box = box;
    if (pressed)
        OffsetRect(&glyph_box, 1, 1);
    if (enabled) {
        draw_glyph(dc, glyph, glyph_box, COLOR_BTNTEXT);
        return;
    }
    RECT shadow = glyph_box;
    OffsetRect(&shadow, 1, 1);
    draw_glyph(dc, glyph, shadow, COLOR_3DHIGHLIGHT);
    draw_glyph(dc, glyph, glyph_box, COLOR_GRAYTEXT);
}

HICON caption_icon(HWND hwnd) {
    auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM));
    return icon ? icon : reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON));
}

void draw_caption(HDC dc, HWND hwnd, const NonclientLayout& layout, bool active,
                  CaptionButton pressed) {
    FillRect(dc, &layout.caption,
             GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    int text_left = layout.caption.left + 2;
    if (!IsRectEmpty(&layout.system_icon)) {
        if (HICON icon = caption_icon(hwnd))
            DrawIconEx(dc, layout.system_icon.left, layout.system_icon.top, icon,
                       metrics::small_icon, metrics::small_icon, 0, nullptr, DI_NORMAL);
        text_left = layout.system_icon.right + 2;
    }
    int text_right = layout.caption.right - 2;
    for (const RECT* button :
         {&layout.minimize_button, &layout.maximize_button, &layout.close_button})
        if (!IsRectEmpty(button))
            text_right = std::min(text_right, int(button->left) - 2);
    char title[256] = {};
    GetWindowTextA(hwnd, title, int(sizeof title));
    RECT text_rect{text_left, layout.caption.top, text_right, layout.caption.bottom};
    HGDIOBJ previous_font = SelectObject(dc, caption_font());
    int previous_mode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawTextA(dc, title, -1, &text_rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetBkMode(dc, previous_mode);
    SelectObject(dc, previous_font);

    bool minimized = (layout.style & WS_MINIMIZE) != 0;
    bool maximized = (layout.style & WS_MAXIMIZE) != 0;
    draw_caption_button(dc, layout.minimize_button, minimized ? Glyph::Restore : Glyph::Minimize,
                        pressed == CaptionButton::Minimize, (layout.style & WS_MINIMIZEBOX) != 0);
    draw_caption_button(dc, layout.maximize_button, maximized ? Glyph::Restore : Glyph::Maximize,
                        pressed == CaptionButton::Maximize, (layout.style & WS_MAXIMIZEBOX) != 0);
    draw_caption_button(dc, layout.close_button, Glyph::Close, pressed == CaptionButton::Close,
                        true);
}

} // namespace

void set_frame_active(HWND hwnd, bool active) {
    update_frame_state(hwnd, [&](FrameState& state) { state.active = active; });
}

void set_menu_bar_selection(HWND hwnd, int index, BarSelection how) {
    update_frame_state(hwnd, [&](FrameState& state) {
        state.bar_selection = index;
        state.bar_how = how;
    });
    NonclientLayout layout = nonclient_layout(hwnd);
    if (!layout.menu || IsRectEmpty(&layout.menu_bar))
        return;
    HDC dc = GetWindowDC(hwnd);
    draw_menu_bar(dc, layout.menu, layout.menu_bar, index, how, hwnd);
    ReleaseDC(hwnd, dc);
}

bool caption_button_enabled(HWND hwnd, CaptionButton button) {
    DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    switch (button) {
    case CaptionButton::Minimize:
        return (style & WS_MINIMIZEBOX) != 0;
    case CaptionButton::Maximize:
        return (style & WS_MAXIMIZEBOX) != 0;
    case CaptionButton::Close:
        return (style & WS_SYSMENU) != 0;
    case CaptionButton::None:
        break;
    }
    return false;
}

void paint_nonclient(HWND hwnd, CaptionButton pressed) {
    NonclientLayout layout = nonclient_layout(hwnd);
    if (EqualRect(&layout.client, &layout.window))
        return; // no frame to draw
    FrameState state = frame_state(hwnd);
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    ExcludeClipRect(dc, layout.client.left, layout.client.top, layout.client.right,
                    layout.client.bottom);
    RECT outer = layout.window;
    if (layout.frame >= metrics::dialog_frame) {
        int border_color = (layout.style & WS_THICKFRAME)
                               ? (state.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                               : COLOR_3DFACE;
        FillRect(dc, &outer, GetSysColorBrush(border_color));
        DrawEdge(dc, &outer, EDGE_RAISED, BF_RECT);
    } else {
        FillRect(dc, &outer, GetSysColorBrush(COLOR_3DFACE));
        if (layout.frame == metrics::border)
            FrameRect(dc, &outer, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if (!IsRectEmpty(&layout.caption))
        draw_caption(dc, hwnd, layout, state.active, pressed);
    if (layout.menu && !IsRectEmpty(&layout.menu_bar))
        draw_menu_bar(dc, layout.menu, layout.menu_bar, state.bar_selection, state.bar_how, hwnd);
    paint_window_scroll_bars(hwnd, dc);
    if (layout.ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) {
        int edge = (layout.ex_style & WS_EX_CLIENTEDGE) ? metrics::edge : metrics::border;
        RECT around = layout.client;
        InflateRect(&around, edge, edge);
        DrawEdge(dc, &around, (layout.ex_style & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER,
                 BF_RECT);
    }
    ReleaseDC(hwnd, dc);
}

} // namespace mullion
