#include "copy_worker.h"

#include "copy_tree.h"
#include "path_operations.h"
#include "setup_globals.h"

void CreateCopyEvents() {
    g_startEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_cancelEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void CloseCopyEvents() {
    for (HANDLE* phEvent : {&g_startEvent, &g_cancelEvent}) {
        if (*phEvent)
            CloseHandle(*phEvent);
        *phEvent = nullptr;
    }
}

UINT CopyWorker(LPVOID pParam) {
    const CopyThreadParams& params = *static_cast<CopyThreadParams*>(pParam);
    WaitForSingleObject(g_startEvent, INFINITE);
    CreateDirectoryPath(g_strInstallDir);
    const CString strSource = IniEntry(1);
    // A source that exists but cannot be entered (its parent is missing, say) is reported as
    // missing instead of copying whatever the current directory holds.
    if (PathExists(strSource) && SetCurrentDirectoryA(strSource)) {
        CopyTree(g_strInstallDir, *params.pFeedback);
    } else {
        CString strMessage;
        strMessage.Format("The book's files are supposed to be in a directory named '%s'. Setup "
                          "can't find this directory so it's exiting.",
                          static_cast<LPCSTR>(strSource));
        params.pFeedback->ShowMissingSource(strMessage);
    }
    if (params.hwndProgress)
        PostMessageA(params.hwndProgress, WM_COPYDONE, 0, 0);
    return 0;
}
