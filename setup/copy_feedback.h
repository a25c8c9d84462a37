// What the copy shows and asks while it runs. The installer implements it with its progress
// dialog and its overwrite and cancel prompts; tests implement it with scripted answers.
#pragma once

#include "cstring.h"

enum ReplaceAnswer { kReplaceYes, kReplaceYesToAll, kReplaceNo, kReplaceCancel };

// The two files of an overwrite question: the one being installed and the one already there.
struct CReplaceQuestion {
    CString strName; // the entry's name as found in the source directory
    LONG nNewSize;
    LONG nOldSize;
    FILETIME ftNewTime;
    FILETIME ftOldTime;
};

class CCopyFeedback {
public:
    virtual ~CCopyFeedback() = default;

    // Called once per file before it is copied, skipped ones included.
    virtual void ShowCurrentFile(const CString& strSourceName, const CString& strTargetPath) = 0;
    virtual ReplaceAnswer AskReplace(const CReplaceQuestion& question) = 0;
    // True when the user confirms that the copy is to be cancelled.
    virtual BOOL ConfirmCancel() = 0;
    // The source directory named by Setup.ini entry 1 is missing.
    virtual void ShowMissingSource(const CString& strMessage) = 0;
};
