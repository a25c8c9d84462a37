// GetOpenFileNameA, GetSaveFileNameA, CommDlgExtendedError and GetFileTitleA.
#include "controls/file_dialog.h"

#include <cstring>

namespace {

// The error of the calling thread's last file dialog.
thread_local DWORD t_last_dialog_error = 0;

BOOL run_file_dialog(LPOPENFILENAMEA lpofn, mullion::FileDialog::Kind kind) {
    if (!lpofn) {
        t_last_dialog_error = CDERR_INITIALIZATION;
        return FALSE;
    }
    mullion::FileDialog dialog(*lpofn, kind);
    const BOOL chosen = dialog.run();
    t_last_dialog_error = dialog.error();
    return chosen;
}

} // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
    return run_file_dialog(lpofn, mullion::FileDialog::Kind::open);
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn) {
    return run_file_dialog(lpofn, mullion::FileDialog::Kind::save);
}

DWORD WINAPI CommDlgExtendedError(void) {
    return t_last_dialog_error;
}

short WINAPI GetFileTitleA(LPCSTR lpszFile, LPSTR Buf, WORD cchSize) {
    if (!lpszFile)
        return -1;
    const char* name = lpszFile;
    for (const char* p = lpszFile; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    if (!*name || std::strpbrk(name, "*?<>|\""))
        return -1;
    const size_t needed = std::strlen(name) + 1;
    // Too small a buffer: the return value is the size it needs.
    if (!Buf || cchSize < needed)
        return short(needed);
    std::memcpy(Buf, name, needed);
    return 0;
}
