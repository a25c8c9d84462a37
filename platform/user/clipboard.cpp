// The clipboard: one per desktop, opened by one thread at a time. Data handed to
// SetClipboardData belongs to the clipboard from then on and is freed when it is emptied.
#include "windows.h"

#include <map>
#include <mutex>

namespace mullion {
namespace {

struct Clipboard {
    std::mutex mutex;
    DWORD open_thread = 0;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> data;

    void free_data() {
        for (auto& [format, handle] : data)
            if (handle)
                GlobalFree(handle);
        data.clear();
    }
};

Clipboard& clipboard() {
    static Clipboard* const board = new Clipboard;
    return *board;
}

// True when the calling thread has the clipboard open; sets the documented error otherwise.
bool opened_by_caller(Clipboard& board) {
    if (board.open_thread == GetCurrentThreadId())
        return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

} // namespace
} // namespace mullion

using namespace mullion;

BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (board.open_thread && board.open_thread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    board.open_thread = GetCurrentThreadId();
    board.owner = hWndNewOwner;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return FALSE;
    board.open_thread = 0;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return FALSE;
    board.free_data();
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return nullptr;
    HANDLE& slot = board.data[uFormat];
    if (slot && slot != hMem)
        GlobalFree(slot);
    slot = hMem;
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return nullptr;
    const auto found = board.data.find(uFormat);
    return found == board.data.end() ? nullptr : found->second;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    const auto found = board.data.find(format);
    return found != board.data.end() && found->second != nullptr;
}
