#include "copy_tree.h"

#include "path_operations.h"
#include "setup_globals.h"
#include "underscore_conversion.h"

#include <lzexpand.h>

namespace {

bool IsCancelRaised() {
    return WaitForSingleObject(g_cancelEvent, 0) == WAIT_OBJECT_0;
}

// Whether the file is to be copied over the existing target, after asking where needed.
bool ShouldReplace(const WIN32_FIND_DATAA& entry, const CString& strTarget,
                   CCopyFeedback& feedback) {
    if (g_bYesToAll)
        return true;
    const CReplaceQuestion question = {entry.cFileName, static_cast<LONG>(entry.nFileSizeLow),
                                       GetFileSize32(strTarget), entry.ftLastWriteTime,
                                       GetFileWriteTime(strTarget)};
    switch (feedback.AskReplace(question)) {
    case kReplaceNo:
        return false;
    case kReplaceYesToAll:
        g_bYesToAll = TRUE;
        return true;
    case kReplaceCancel:
        if (feedback.ConfirmCancel()) {
            CancelCopy();
            return false;
        }
        return true;
    case kReplaceYes:
        break;
    }
    return true;
}

// Expands (or copies unchanged) one file; any failure marks the whole copy as failed.
void ExpandFile(const CString& strSource, const CString& strTarget) {
    static_assert(sizeof(OFSTRUCT) == 136);
    CString strSourceName = strSource;
    CString strTargetName = strTarget;
    OFSTRUCT ofSource = {};
    OFSTRUCT ofTarget = {};
    ofSource.cBytes = sizeof(OFSTRUCT);
    ofTarget.cBytes = sizeof(OFSTRUCT);
    const INT hSource = LZOpenFileA(strSourceName.GetBuffer(0), &ofSource, OF_READ);
    const INT hTarget = LZOpenFileA(strTargetName.GetBuffer(0), &ofTarget, OF_CREATE | OF_WRITE);
    const LONG nCopied = hSource >= 0 && hTarget >= 0 ? LZCopy(hSource, hTarget) : -1;
    if (hSource >= 0)
        LZClose(hSource);
    if (hTarget >= 0)
        LZClose(hTarget);
    if (hSource < 0 || hTarget < 0 || nCopied < 0)
        g_bCopyFailed = TRUE;
}

void CopyFileEntry(const WIN32_FIND_DATAA& entry, const CString& strDest, CCopyFeedback& feedback) {
    const CString strName = entry.cFileName;
    const CString strTarget =
        strDest + "\\" + (g_bUnderscores ? ConvertUnderscores(strName) : strName);
    feedback.ShowCurrentFile(strName, strTarget);
    if (PathExists(strTarget) && !ShouldReplace(entry, strTarget, feedback))
        return;
    if (g_bCompressed) {
        ExpandFile(strName, strTarget);
    } else {
        CopyFileA(strName, strTarget, FALSE);
        SetFileAttributesA(strTarget, 0);
    }
}

void CopyDirectoryEntry(const WIN32_FIND_DATAA& entry, const CString& strDest,
                        CCopyFeedback& feedback) {
    if (entry.cFileName[0] == '.')
        return;
    const CString strSubDest = strDest + "\\" + entry.cFileName;
    CreateDirectoryA(strSubDest, nullptr);
    // A directory that cannot be entered is skipped rather than copied from the wrong place.
    if (!SetCurrentDirectoryA(entry.cFileName))
        return;
    CopyTree(strSubDest, feedback);
    SetCurrentDirectoryA("..");
}

} // namespace

void CancelCopy() {
    SetEvent(g_cancelEvent);
    g_bCancelled = true;
}

void CopyTree(const CString& strDest, CCopyFeedback& feedback) {
    if (g_bCancelled)
        return;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = FindFirstFileA("*.*", &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyDirectoryEntry(entry, strDest, feedback);
        else
            CopyFileEntry(entry, strDest, feedback);
        if (IsCancelRaised())
            break;
    } while (FindNextFileA(hFind, &entry));
    FindClose(hFind);
}
