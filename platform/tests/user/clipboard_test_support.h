#pragma once

// What the clipboard tests share: a global memory block holding a text, and the clipboard's
// current CF_TEXT read back.
#include "windows.h"

#include <cstring>
#include <string>

namespace clipboard_test {

inline HGLOBAL text_block(const char* text) {
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    return block;
}

inline std::string clipboard_text() {
    if (!OpenClipboard(nullptr))
        return "<not opened>";
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "<none>";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    return text;
}

} // namespace clipboard_test
