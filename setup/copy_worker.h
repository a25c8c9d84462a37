// The copying thread of the installer.
#pragma once

#include "copy_feedback.h"

// What the progress dialog hands to the copying thread.
struct CopyThreadParams {
    HWND hwndProgress;        // receives WM_COPYDONE at the end; may be null
    CCopyFeedback* pFeedback; // shows progress and asks the questions
};

// Creates g_startEvent (auto-reset) and g_cancelEvent (manual-reset), both not signalled.
void CreateCopyEvents();
void CloseCopyEvents();

// Thread procedure, pParam a CopyThreadParams*: waits for g_startEvent, creates the install
// directory, copies the tree that Setup.ini entry 1 names into it, posts WM_COPYDONE.
UINT CopyWorker(LPVOID pParam);
