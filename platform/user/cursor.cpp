// GetCursorPos, SetCursorPos, ClipCursor, SetCursor, GetCursor and ShowCursor. The position
// belongs to the input router; the shape is only recorded here, the presenter draws it.
#include "cursor.h"

#include "input_router.h"

#include <atomic>

namespace mullion {

namespace {
std::atomic<HCURSOR> g_cursor{nullptr};
std::atomic<int> g_show_count{0};
} // namespace

HCURSOR current_cursor() {
    return g_show_count.load() >= 0 ? g_cursor.load() : nullptr;
}

} // namespace mullion

using namespace mullion;

extern "C" {

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint)
        return FALSE;
    std::lock_guard lock(queue_lock());
    *lpPoint = InputRouter::instance().cursor_position_locked();
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    // Moving the cursor is mouse input like any other: windows under it see the move.
    InputEvent move;
    move.type = InputEvent::Type::MouseMove;
    move.position = POINT{X, Y};
    InputRouter::instance().inject(move);
    return TRUE;
}

BOOL WINAPI ClipCursor(const RECT* lpRect) {
    POINT position;
    {
        std::lock_guard lock(queue_lock());
        auto& router = InputRouter::instance();
        router.set_cursor_clip_locked(lpRect ? std::optional<RECT>(*lpRect) : std::nullopt);
        position = router.cursor_position_locked();
    }
    // A cursor outside the new rectangle moves into it.
    if (lpRect)
        SetCursorPos(position.x, position.y);
    return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    return g_cursor.exchange(hCursor);
}

HCURSOR WINAPI GetCursor(void) {
    return g_cursor.load();
}

int WINAPI ShowCursor(BOOL bShow) {
    return bShow ? ++g_show_count : --g_show_count;
}

} // extern "C"
