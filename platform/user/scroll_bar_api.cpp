// The scroll bar functions: SetScrollInfo, GetScrollInfo, SetScrollPos, GetScrollPos,
// SetScrollRange, GetScrollRange, ShowScrollBar and EnableScrollBar. A window's standard bars
// keep their state with the window; for SB_CTL the functions send the control its SBM_
// messages.
#include "scroll_bar_state.h"
#include "window_scroll_bar.h"

using namespace mullion;

namespace {

bool is_window_bar(int bar) {
    return bar == SB_HORZ || bar == SB_VERT;
}

} // namespace

int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (!lpsi)
        return 0;
    if (nBar == SB_CTL)
        return int(
            SendMessageA(hwnd, SBM_SETSCROLLINFO, WPARAM(redraw), reinterpret_cast<LPARAM>(lpsi)));
    if (!is_window_bar(nBar))
        return 0;
    WindowScrollBar bar(hwnd, nBar);
    int position = 0;
    bool needed = true;
    const bool layout_changes = (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) != 0;
    const bool keep_when_unneeded = (lpsi->fMask & SIF_DISABLENOSCROLL) != 0;
    const bool known = bar.change([&](ScrollBarState& state) {
        position = state.set_info(*lpsi);
        needed = !state.covers_range();
        if (!layout_changes)
            return;
        // A bar with nothing to scroll is disabled rather than hidden when asked; it comes
        // back to life when there is something to scroll again.
        if (!needed && keep_when_unneeded)
            state.set_disabled_arrows(ESB_DISABLE_BOTH);
        else if (needed && state.disabled_arrows() == ESB_DISABLE_BOTH)
            state.set_disabled_arrows(ESB_ENABLE_BOTH);
    });
    if (!known)
        return 0;
    const bool show = needed || keep_when_unneeded;
    if (layout_changes && show != bar.shown())
        bar.show(show);
    else if (redraw)
        bar.repaint();
    return position;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (!lpsi)
        return FALSE;
    if (nBar == SB_CTL)
        return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)) != 0;
    ScrollBarState state;
    if (!is_window_bar(nBar) || !WindowScrollBar(hwnd, nBar).read(state))
        return FALSE;
    state.get_info(*lpsi);
    return (lpsi->fMask & SIF_ALL) != 0;
}

int WINAPI SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    if (nBar == SB_CTL)
        return int(SendMessageA(hWnd, SBM_SETPOS, WPARAM(nPos), bRedraw));
    const int previous = GetScrollPos(hWnd, nBar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return previous;
}

int WINAPI GetScrollPos(HWND hWnd, int nBar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, nBar, &info) ? info.nPos : 0;
}

BOOL WINAPI SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (nBar == SB_CTL)
        return SendMessageA(hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, WPARAM(nMinPos),
                            nMaxPos) >= 0;
    if (!is_window_bar(nBar) || !IsWindow(hWnd))
        return FALSE;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos) {
    if (!lpMinPos || !lpMaxPos)
        return FALSE;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, nBar, &info))
        return FALSE;
    *lpMinPos = info.nMin;
    *lpMaxPos = info.nMax;
    return TRUE;
}

BOOL WINAPI ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    if (!IsWindow(hWnd))
        return FALSE;
    switch (wBar) {
    case SB_CTL:
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    case SB_HORZ:
    case SB_VERT:
        WindowScrollBar(hWnd, wBar).show(bShow != FALSE);
        return TRUE;
    case SB_BOTH:
        WindowScrollBar(hWnd, SB_HORZ).show(bShow != FALSE);
        WindowScrollBar(hWnd, SB_VERT).show(bShow != FALSE);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL WINAPI EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    if (wSBflags == SB_CTL)
        return SendMessageA(hWnd, SBM_ENABLE_ARROWS, wArrows, 0) != 0;
    bool changed = false;
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (wSBflags != UINT(bar) && wSBflags != SB_BOTH)
            continue;
        WindowScrollBar window_bar(hWnd, bar);
        window_bar.change([&](ScrollBarState& state) {
            changed |= state.disabled_arrows() != (wArrows & ESB_DISABLE_BOTH);
            state.set_disabled_arrows(wArrows);
        });
        window_bar.repaint();
    }
    return changed;
}
