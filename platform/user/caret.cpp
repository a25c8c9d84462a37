// The caret: one per thread in Win32, one on the one desktop here. It is drawn by inverting its
// rectangle in the owner's client area, so drawing it twice removes it. It does not blink:
// blinking would need a timer and keep an idle program busy.
#include "window.h"

namespace mullion {

namespace {
struct Caret {
    HWND owner = nullptr;
    SIZE size{0, 0};
    POINT position{0, 0};
    int hide_count = 1; // created hidden
    bool drawn = false;
};

Caret& caret() {
    static Caret state;
    return state;
}

std::mutex& caret_lock() {
    static std::mutex lock;
    return lock;
}

// Inverts the caret's rectangle on the screen; the caller holds caret_lock().
void toggle(Caret& c) {
    HDC dc = GetDC(c.owner);
    if (!dc)
        return;
    const RECT r{c.position.x, c.position.y, c.position.x + c.size.cx, c.position.y + c.size.cy};
    InvertRect(dc, &r);
    ReleaseDC(c.owner, dc);
    c.drawn = !c.drawn;
}

bool owned_by_caller(const Caret& c, HWND hwnd) {
    return c.owner && (!hwnd || hwnd == c.owner) &&
           GetWindowThreadProcessId(c.owner, nullptr) == GetCurrentThreadId();
}
} // namespace

} // namespace mullion

using namespace mullion;

BOOL WINAPI CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) {
    (void)hBitmap; // the caret is always drawn as an inverted block
    if (!IsWindow(hWnd))
        return FALSE;
    DestroyCaret();
    std::lock_guard lock(caret_lock());
    Caret& c = caret();
    c = Caret{};
    c.owner = hWnd;
    c.size = {nWidth > 0 ? nWidth : GetSystemMetrics(SM_CXBORDER),
              nHeight > 0 ? nHeight : GetSystemMetrics(SM_CYBORDER)};
    return TRUE;
}

BOOL WINAPI DestroyCaret(void) {
    std::lock_guard lock(caret_lock());
    Caret& c = caret();
    if (!owned_by_caller(c, nullptr))
        return FALSE;
    if (c.drawn)
        toggle(c);
    c = Caret{};
    return TRUE;
}

BOOL WINAPI HideCaret(HWND hWnd) {
    std::lock_guard lock(caret_lock());
    Caret& c = caret();
    if (!owned_by_caller(c, hWnd))
        return FALSE;
    if (c.drawn)
        toggle(c);
    ++c.hide_count;
    return TRUE;
}

BOOL WINAPI ShowCaret(HWND hWnd) {
    std::lock_guard lock(caret_lock());
    Caret& c = caret();
    if (!owned_by_caller(c, hWnd) || c.hide_count == 0)
        return FALSE;
    if (--c.hide_count == 0 && !c.drawn)
        toggle(c);
    return TRUE;
}

BOOL WINAPI SetCaretPos(int X, int Y) {
    std::lock_guard lock(caret_lock());
    Caret& c = caret();
    if (!owned_by_caller(c, nullptr))
        return FALSE;
    const bool was_drawn = c.drawn;
    if (was_drawn)
        toggle(c);
    c.position = {X, Y};
    if (was_drawn)
        toggle(c);
    return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT lpPoint) {
    std::lock_guard lock(caret_lock());
    const Caret& c = caret();
    if (!lpPoint || !owned_by_caller(c, nullptr))
        return FALSE;
    *lpPoint = c.position;
    return TRUE;
}
