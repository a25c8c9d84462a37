// The clipboard: one per desktop, opened by one thread at a time. Data handed to
// SetClipboardData belongs to the clipboard from then on and is freed when it is emptied.
// Formats are listed in the order they were put on it.
#include "clipboard.h"

#include "windows.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

namespace mullion {
namespace {

struct Clipboard {
    std::mutex mutex;
    DWORD open_thread = 0;
    HWND opener = nullptr;
    HWND owner = nullptr;
    std::vector<std::pair<UINT, HANDLE>> data;
    // CF_TEXT was put on the clipboard since it was opened.
    bool text_set = false;

    void free_data() {
        for (auto& [format, handle] : data)
            if (handle)
                GlobalFree(handle);
        data.clear();
    }

    HANDLE* slot(UINT format) {
        const auto found = std::find_if(data.begin(), data.end(), [format](const auto& entry) {
            return entry.first == format;
        });
        return found == data.end() ? nullptr : &found->second;
    }
};

Clipboard& clipboard() {
    static Clipboard* const board = new Clipboard;
    return *board;
}

std::atomic<ClipboardTextListener>& text_listener() {
    static std::atomic<ClipboardTextListener> listener{nullptr};
    return listener;
}

// True when the calling thread has the clipboard open; sets the documented error otherwise.
bool opened_by_caller(Clipboard& board) {
    if (board.open_thread == GetCurrentThreadId())
        return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

// The text of a CF_TEXT block, which need not be terminated within the block.
std::string block_text(HANDLE block) {
    std::string text;
    if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
        text.assign(bytes, strnlen(bytes, GlobalSize(block)));
        GlobalUnlock(block);
    }
    return text;
}

} // namespace

void set_clipboard_text_listener(ClipboardTextListener listener) {
    text_listener().store(listener);
}

std::string host_text_to_clipboard(std::string_view host_text) {
    std::string text;
    text.reserve(host_text.size());
    for (size_t i = 0; i < host_text.size(); ++i) {
        if (host_text[i] == '\n' && (i == 0 || host_text[i - 1] != '\r'))
            text += '\r';
        text += host_text[i];
    }
    return text;
}

std::string clipboard_text_to_host(std::string_view text) {
    std::string host_text;
    host_text.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            host_text += text[i];
    return host_text;
}

void set_clipboard_text_from_host(std::string_view host_text) {
    const std::string text = host_text_to_clipboard(host_text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block)
        return;
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (board.open_thread) {
        GlobalFree(block);
        return;
    }
    board.free_data();
    board.owner = nullptr;
    board.data.emplace_back(CF_TEXT, block);
}

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
    board.opener = hWndNewOwner;
    board.text_set = false;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    Clipboard& board = clipboard();
    std::optional<std::string> new_text;
    {
        std::lock_guard lock(board.mutex);
        if (!opened_by_caller(board))
            return FALSE;
        board.open_thread = 0;
        board.opener = nullptr;
        if (board.text_set && text_listener().load())
            if (HANDLE* text = board.slot(CF_TEXT); text && *text)
                new_text = clipboard_text_to_host(block_text(*text));
        board.text_set = false;
    }
    if (new_text)
        if (ClipboardTextListener listener = text_listener().load())
            listener(*new_text);
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return FALSE;
    board.free_data();
    // Emptying makes the window that opened the clipboard its owner.
    board.owner = board.opener;
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return nullptr;
    if (HANDLE* slot = board.slot(uFormat)) {
        if (*slot && *slot != hMem)
            GlobalFree(*slot);
        *slot = hMem;
    } else {
        board.data.emplace_back(uFormat, hMem);
    }
    if (uFormat == CF_TEXT && hMem)
        board.text_set = true;
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return nullptr;
    const HANDLE* slot = board.slot(uFormat);
    return slot ? *slot : nullptr;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    const HANDLE* slot = board.slot(format);
    return slot && *slot;
}

HWND WINAPI GetClipboardOwner(void) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    return board.owner;
}

int WINAPI CountClipboardFormats(void) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    return int(board.data.size());
}

UINT WINAPI EnumClipboardFormats(UINT format) {
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!opened_by_caller(board))
        return 0;
    SetLastError(ERROR_SUCCESS);
    size_t next = 0;
    if (format != 0) {
        const auto current =
            std::find_if(board.data.begin(), board.data.end(),
                         [format](const auto& entry) { return entry.first == format; });
        if (current == board.data.end())
            return 0;
        next = size_t(current - board.data.begin()) + 1;
    }
    return next < board.data.size() ? board.data[next].first : 0;
}
